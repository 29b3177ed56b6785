#include "FormLayout.h"

#include <stdexcept>

namespace kvarnel {

namespace {
constexpr const char* kSans = kDefaultFontFamily;
constexpr const char* kSerif = "Times New Roman";
using K = ComponentKind;
using C = Control;
}  // namespace

// clang-format off
const std::array<ComponentRow, kComponentCount> kComponentRows = {{
//   control                    kind                left  top  width height caption  family  px  bold  font colour    background  stored tab  centred shapes up to
    {C::Image3,               K::Picture,         9,   19, 1016, 570, "",           nullptr, 0,  false, clBlack,      clWhite,    false, -1, false, nullptr},
    {C::Image2,               K::Picture,        -3,    5, 1025, 570, "",           nullptr, 0,  false, clBlack,      clWhite,    false, -1, true,  nullptr},
    {C::Image1,               K::Picture,         0,    0, 1025, 570, "",           nullptr, 0,  false, clBlack,      clWhite,    false, -1, true,  nullptr},
    {C::LabelWopros,          K::FixedLabel,     32,  600,  617,  33, "",           kSans,   19, false, clBlack,      clCream,    true,  -1, false, nullptr},
    {C::LabelOtvet,           K::FixedLabel,    620,  677,  113,  25, "",           kSans,   16, true,  clWindowText, clCream,    true,  -1, false, "ShapeV1"},
    {C::SpeedExit,            K::PushButton,    888,  672,   74,  33, "EXIT",       kSerif,  16, false, clWindowText, clBtnFace,  true,  -1, false, nullptr},
    {C::SpeedPusk,            K::PushButton,    216,  672,  100,  33, "QUESTION?",  kSerif,  16, true,  clBlue,       clBtnFace,  true,  -1, false, "ShapeV10_4"},
    {C::SpeedButtonRezOznkom, K::PushButton,    800,  624,   81,  33, "Study mode", kSerif,  16, false, clWindowText, clBtnFace,  false, -1, false, nullptr},
    {C::SpeedButtonRezWopros, K::PushButton,    888,  625,   81,  33, "TEST",       kSerif,  16, false, clWindowText, clBtnFace,  true,  -1, false, nullptr},
    {C::LabelRegObutch,       K::AutoLabel,     384,  577,   91,  21, "Study mode", kSerif,  19, false, clBlack,      clCream,    false, -1, false, nullptr},
    {C::LabelRegTest,         K::AutoLabel,     384,  577,   79,  21, "Test mode",  kSerif,  19, false, clBlack,      clCream,    false, -1, false, nullptr},
    {C::LabelStat1,           K::AutoLabel,     328,  688,  334,  20, "Статистика  правильных ответов:              % ",
                                                                                                           kSans,   16, false, clBlack,      clCream,    false, -1, false, nullptr},
    {C::LabelStat2,           K::AutoLabel,     600,  688,    4,  20, "",           kSans,   16, false, clRed,        clCream,    false, -1, false, nullptr},
    {C::LabelPanelFio,        K::AutoLabel,     344,  627,    4,  20, "",           kSans,   16, false, clRed,        clCream,    false, -1, false, nullptr},
    {C::LabelGruppa,          K::AutoLabel,     296,  659,   45,  20, "Group",      kSans,   16, false, clWindowText, clCream,    false, -1, false, nullptr},
    {C::LabelFio,             K::AutoLabel,     290,  683,   69,  20, "Surname ",   kSans,   16, false, clWindowText, clCream,    false, -1, false, nullptr},
    {C::SpeedVvod,            K::PushButton,    584,  680,   41,  25, "ВВОД",       nullptr, 0,  false, clWindowText, clBtnFace,  false, -1, false, "ShapeM20_1"},
    {C::Label_Ostalos,        K::AutoLabel,       8,  664,    3,  13, "",           nullptr, 0,  false, clWindowText, clWhite,    true,  -1, false, nullptr},
    {C::ProgressBar1,         K::ProgressBar,   448,  691,  103,  17, "",           nullptr, 0,  false, clWindowText, clBtnFace,  false,  2, false, nullptr},
    {C::Edit1Gruppa,          K::EntryField,    376,  659,  185,  21, "",           nullptr, 0,  false, clWindowText, clWindow,   false,  0, false, nullptr},
    {C::Edit1Fio,             K::EntryField,    376,  683,  185,  21, "",           nullptr, 0,  false, clWindowText, clWindow,   false,  1, false, nullptr},
    {C::StaticText1Mashtab,   K::InstructionLine, 44, 560,    4,   4, "",           kSerif,  13, false, clBlue,       clWhite,    true,   3, false, nullptr},
}};
// clang-format on

const ComponentRow& componentRow(Control control) {
    for (const auto& row : kComponentRows)
        if (row.control == control) return row;
    throw std::out_of_range("component without a layout row");
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
