#pragma once

#include <cstdint>

// Kinds of host items offered by the host's item picker.
enum ItemTypes : int16_t {
    ttoPhoto = 1,
    ttoRental = 2,
    ttoShip = 3,
    ttoSkiSchool = 4,
    ttoStock = 5,
    ttoTicket = 6,
    ttoAll = 7,
    ttoPackage = 8,
};
