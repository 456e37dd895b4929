// The realistic diagrams in tests/data/fixtures, written apart from this code,
// with what a correct reader finds in each (NAME.expect.json) and the program
// image an independent reading gives for it (NAME.image.json).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/types.h"

inline constexpr std::array<const char*, 4> kFixtureDiagrams = {"pump_station.bfb", "stair_light.bfb",
                                                                "tank_heater.bfb", "ladder_simple.bld"};

// The path of a file of the fixture folder.
std::string FixturePath(const std::string& name);
// The bytes of a file of the fixture folder (empty, with a test failure, when unreadable).
std::vector<BYTE> ReadFixtureBytes(const std::string& name);
