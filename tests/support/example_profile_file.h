// The example of the profile file format: one profile "Home" whose key holds only "UseProxy" = 0.
#pragma once

#include <vector>

namespace corvane {

inline const std::vector<unsigned char> kHomeProfileFile = {
    0x01, 0x00, 0x09, 0x99, 0x14, 0, 0,   0, 0x01, 0, 0,   0, 0,    0, 0,   0, 0,   0, 0,    0,
    0x01, 0,    0,    0,    0x0A, 0, 0,   0, 'H',  0, 'o', 0, 'm',  0, 'e', 0, 0,   0, 0x02, 0,
    0,    0,    0x12, 0,    0,    0, 'U', 0, 's',  0, 'e', 0, 'P',  0, 'r', 0, 'o', 0, 'x',  0,
    'y',  0,    0,    0,    0x04, 0, 0,   0, 0,    0, 0,   0, 0x04, 0, 0,   0};

}  // namespace corvane
