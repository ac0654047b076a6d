// Shared between the test seams' own files.
#pragma once

namespace plat::testing {

// The clock, the generator and the audio of resetAll.
void resetSystem();

}  // namespace plat::testing
