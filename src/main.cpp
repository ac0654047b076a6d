// The game: bring everything up, run frames until asked to close, record a running game.
#include <exception>

#include "screens/loadassets.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/sys.h"

int main() {
    try {
        startUp(plat::appDir());
        runFrameLoop();
    } catch (const std::exception& e) {
        // Errors nothing else handles (a second singleton, say) end the game like any
        // other fatal error: the message on standard output and a failure status.
        plat::fatal(e.what());
    }
    plat::closeAudio();
    return 0;
}
