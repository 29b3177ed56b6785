#include "FormView.h"

namespace kvarnel {

const char* controlName(Control c) {
    static constexpr const char* kNames[] = {"Image1",
                                             "Image2",
                                             "Image3",
                                             "LabelWopros",
                                             "LabelOtvet",
                                             "SpeedExit",
                                             "SpeedPusk",
                                             "SpeedButtonRezOznkom",
                                             "SpeedButtonRezWopros",
                                             "LabelRegObutch",
                                             "LabelRegTest",
                                             "LabelStat1",
                                             "LabelStat2",
                                             "LabelPanelFio",
                                             "LabelGruppa",
                                             "LabelFio",
                                             "SpeedVvod",
                                             "Label_Ostalos",
                                             "ProgressBar1",
                                             "Edit1Gruppa",
                                             "Edit1Fio",
                                             "StaticText1Mashtab"};
    static_assert(sizeof(kNames) / sizeof(kNames[0]) == kControlCount);
    return kNames[static_cast<int>(c)];
}

}  // namespace kvarnel
