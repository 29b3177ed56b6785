#include "FormLayout.h"

#include <stdexcept>

namespace kvarnel {

namespace {
constexpr const char* kSans = "MS Sans Serif";
constexpr const char* kSerif = "Times New Roman";
using K = ComponentKind;
using C = Control;
}  // namespace

// clang-format off
const std::array<ComponentRow, kComponentCount> kComponentRows = {{
//   name                    control                    kind                left  top  width height caption  family  px  bold  font colour    background  stored tab  resource                   centred shapes up to
    {"Image3",               C::Image3,               K::Picture,         9,   19, 1016, 570, "",           nullptr, 0,  false, clBlack,      clWhite,    false, -1, ":/pictures/rear.jpg",     false, nullptr},
    {"Image2",               C::Image2,               K::Picture,        -3,    5, 1025, 570, "",           nullptr, 0,  false, clBlack,      clWhite,    false, -1, ":/pictures/front.jpg",    true,  nullptr},
    {"Image1",               C::Image1,               K::Picture,         0,    0, 1025, 570, "",           nullptr, 0,  false, clBlack,      clWhite,    false, -1, ":/pictures/overview.jpg", true,  nullptr},
    {"LabelWopros",          C::LabelWopros,          K::FixedLabel,     32,  600,  617,  33, "",           kSans,   19, false, clBlack,      clCream,    true,  -1, nullptr, false, nullptr},
    {"LabelOtvet",           C::LabelOtvet,           K::FixedLabel,    620,  677,  113,  25, "",           kSans,   16, true,  clWindowText, clCream,    true,  -1, nullptr, false, "ShapeV1"},
    {"SpeedExit",            C::SpeedExit,            K::PushButton,    888,  672,   74,  33, "EXIT",       kSerif,  16, false, clWindowText, clBtnFace,  true,  -1, nullptr, false, nullptr},
    {"SpeedPusk",            C::SpeedPusk,            K::PushButton,    216,  672,  100,  33, "QUESTION?",  kSerif,  16, true,  clBlue,       clBtnFace,  true,  -1, nullptr, false, "ShapeV10_4"},
    {"SpeedButtonRezOznkom", C::SpeedButtonRezOznkom, K::PushButton,    800,  624,   81,  33, "Study mode", kSerif,  16, false, clWindowText, clBtnFace,  false, -1, nullptr, false, nullptr},
    {"SpeedButtonRezWopros", C::SpeedButtonRezWopros, K::PushButton,    888,  625,   81,  33, "TEST",       kSerif,  16, false, clWindowText, clBtnFace,  true,  -1, nullptr, false, nullptr},
    {"LabelRegObutch",       C::LabelRegObutch,       K::AutoLabel,     384,  577,   91,  21, "Study mode", kSerif,  19, false, clBlack,      clCream,    false, -1, nullptr, false, nullptr},
    {"LabelRegTest",         C::LabelRegTest,         K::AutoLabel,     384,  577,   79,  21, "Test mode",  kSerif,  19, false, clBlack,      clCream,    false, -1, nullptr, false, nullptr},
    {"LabelStat1",           C::LabelStat1,           K::AutoLabel,     328,  688,  334,  20, "Статистика  правильных ответов:              % ",
                                                                                                           kSans,   16, false, clBlack,      clCream,    false, -1, nullptr, false, nullptr},
    {"LabelStat2",           C::LabelStat2,           K::AutoLabel,     600,  688,    4,  20, "",           kSans,   16, false, clRed,        clCream,    false, -1, nullptr, false, nullptr},
    {"LabelPanelFio",        C::LabelPanelFio,        K::AutoLabel,     344,  627,    4,  20, "",           kSans,   16, false, clRed,        clCream,    false, -1, nullptr, false, nullptr},
    {"LabelGruppa",          C::LabelGruppa,          K::AutoLabel,     296,  659,   45,  20, "Group",      kSans,   16, false, clWindowText, clCream,    false, -1, nullptr, false, nullptr},
    {"LabelFio",             C::LabelFio,             K::AutoLabel,     290,  683,   69,  20, "Surname ",   kSans,   16, false, clWindowText, clCream,    false, -1, nullptr, false, nullptr},
    {"SpeedVvod",            C::SpeedVvod,            K::PushButton,    584,  680,   41,  25, "ВВОД",       nullptr, 0,  false, clWindowText, clBtnFace,  false, -1, nullptr, false, "ShapeM20_1"},
    {"Label_Ostalos",        C::Label_Ostalos,        K::AutoLabel,       8,  664,    3,  13, "",           nullptr, 0,  false, clWindowText, clWhite,    true,  -1, nullptr, false, nullptr},
    {"ProgressBar1",         C::ProgressBar1,         K::ProgressBar,   448,  691,  103,  17, "",           nullptr, 0,  false, clWindowText, clBtnFace,  false,  2, nullptr, false, nullptr},
    {"Edit1Gruppa",          C::Edit1Gruppa,          K::EntryField,    376,  659,  185,  21, "",           nullptr, 0,  false, clWindowText, clWindow,   false,  0, nullptr, false, nullptr},
    {"Edit1Fio",             C::Edit1Fio,             K::EntryField,    376,  683,  185,  21, "",           nullptr, 0,  false, clWindowText, clWindow,   false,  1, nullptr, false, nullptr},
    {"StaticText1Mashtab",   C::StaticText1Mashtab,   K::InstructionLine, 44, 560,    4,   4, "",           kSerif,  13, false, clBlue,       clWhite,    true,   3, nullptr, false, nullptr},
}};
// clang-format on

const ComponentRow& componentRow(Control control) {
    for (const auto& row : kComponentRows)
        if (row.control == control) return row;
    throw std::out_of_range("component without a layout row");
}

std::optional<Control> controlNamed(std::string_view name) {
    for (const auto& row : kComponentRows)
        if (name == row.name) return row.control;
    return std::nullopt;
}

bool isSurfaceKind(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Picture:
    case ComponentKind::FixedLabel:
    case ComponentKind::AutoLabel:
    case ComponentKind::PushButton:
        return true;
    case ComponentKind::ProgressBar:
    case ComponentKind::EntryField:
    case ComponentKind::InstructionLine:
        return false;
    }
    return false;
}

}  // namespace kvarnel
