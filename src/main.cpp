// The game: configure the framework, open the window and run frames until asked to close.
#include <exception>

#include "platform/audio.h"
#include "platform/sys.h"
#include "platform/window.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

int main() {
    try {
        VostrelFramework::Create();
        plat::setAppTitle("Tarnholt");
        vostrel->setVersion("1.51");
        // Assets live beside the executable, and the registry fixes its folders in initApp.
        ResourceManager::setMacReleaseCompile(1);
        ScreenManager::setDrawScale(800.0f / 800.0f);
        vostrel->initApp(800, 480, 30, 0);

        while (!plat::closeRequested()) vostrel->update();

        vostrel->onTerminate();
    } catch (const std::exception& e) {
        // Errors nothing else handles (a second singleton, say) end the game like any
        // other fatal error: the message on standard output and a failure status.
        plat::fatal(e.what());
    }
    plat::closeAudio();
    return 0;
}
