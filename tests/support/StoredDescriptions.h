#pragma once
// What each node's stored description text holds, recorded apart from the
// program: its number of lines and its first line (as stored, trailing blank
// and all). The tests check the texts the program shows against this record.
#include <array>
#include <string_view>

#include "core/CatalogueData.h"

namespace kvarnel::testing {

struct StoredDescription {
    NodeNumber node;
    int lineCount;
    std::string_view firstLine;
};

inline constexpr std::array<StoredDescription, kNodeCount> kStoredDescriptions = {{
    {1, 2, "High-pressure part (HPP) - a group of stages, which receives fresh steam from the "},
    {2, 2, "Intermediate pressure part (IPP) - a group of stages to which steam comes from "},
    {3, 2, "Low-pressure part (LPP) - a group of stages, which receives steam from IPP; after "},
    {4, 6, "Control stage (CS) - the first stage of the turbine with nozzle steam distribution. The "},
    {5, 6, "Control valve (CV) - a valve that changes the steam flow rate per turbine in "},
    {6, 6, "Диафрагма - часть статора, в которой располагаются сопловые лопатки "},
    {7, 7, "Working blades are the same shaped elements installed on the disk and forming the working "},
    {8, 5, "Rotor is a rotating assembly of a turbine cylinder, consisting of a shaft, discs and "},
    {9, 5, ". Coupling is a node that provides connection of the individual rotors of the turbine "},
    {10, 8,
     "Support bearing with constant oil supply is a unit that serves to support the shafting on the stator. The support bearings "},
    {11, 5, "Thrust bearing is a combined bearing that serves to perceive radial loads and the "},
    {12, 3, "Oil pump serves to power the lubrication system of the turbine bearings and the "},
    {13, 4, "Speed control unit (SCU) is a sensor of a system of rotation speed control. "},
    {14, 5, ". Steam extraction pipes from HPP is conducted for regenerative heating of feed "},
    {15, 7,
     "Diaphragm is the part of the stator in which the nozzle vanes of unregulated stages are located. The "},
    {16, 3, "Steam supply to control valve. When the turbine is operating, steam from the boiler "},
    {17, 3, "Steam supply pipe from reheater (usually 4 pieces) is used to supply secondary "},
    {18, 3, "Steam outlet pipe in the reheater. Steam pipelines are welded to the outlet nozzles "},
    {19, 4, "Steam bypass to low pressure part. Steam after expansion in the IPP through two "},
    {20, 5, "Steam outlet pipe to the condenser. The exhaust steam leaves the turbine through "},
    {21, 5, "Working blades of a stage are the same shaped elements installed on a disk and "},
    {22, 4, "Electric generator rotor. The rotor of the electric generator is connected to the rotor "},
    {23, 6, "Diaphragm is the part of the stator in which the nozzle vanes of unregulated stages "},
    {24, 7, "Working blades are the same shaped elements installed on the disk and forming the working "},
    {25, 5, "Automatic safety device (ASD) is the impulse body of the overclocking protection "},
    {26, 6,
     "Vertical key is a T-shaped key, which organizes free expansion of casings in the vertical direction "},
    {27, 3, "Rotor turning gear is designed for slow rotation of the rotor during the start and stop "},
    {28, 2, "Expansion bellows provides the ability to move the receiver due to thermal expansion "},
    {29, 6, "Atmospheric valve is the second stage of turbine protection against pressure "},
    {30, 4, "Steam extraction pipes from IPP connect the extraction chambers between the "},
    {31, 5, "Steam extraction pipe from LPP connects the extraction chambers between the "},
    {32, 3, "Control valve actuator is the transmission link of the control system. It consists of a "},
    {33, 7,
     "Rear end seal of HPP is designed to prevent steam from escaping from the cylinder into the gap "},
    {34, 5,
     "Front end seal of HPP is designed to prevent steam from leaking from the cylinder into the gap "},
    {35, 5,
     "Front end seal of IPP is designed to prevent steam from escaping from the cylinder into the gap "},
    {36, 7, "Rear end seal of IPP is designed to prevent steam from escaping from the cylinder "},
    {37, 7, "End seal of the low-pressure cylinder is designed to prevent air from being sucked "},
    {38, 7,
     "Multiexhaust stage (Bauman stage) provides one and a half exhaust of the turbine, due to which it is "},
    {39, 3, "Deflecting walls serve to reduce the energy loss of steam after the last stage. They "},
}};

// The record of node 1..kNodeCount.
inline const StoredDescription& storedDescription(NodeNumber node) {
    return kStoredDescriptions[static_cast<std::size_t>(node - 1)];
}

}  // namespace kvarnel::testing
