// The game: configure the framework, open the window and run frames until asked to close.
#include "platform/audio.h"
#include "platform/window.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

int main() {
    plat::setAppTitle("Tarnholt");
    VostrelFramework::Create();
    vostrel->setVersion("1.51");
    // Assets live beside the executable, and the registry fixes its folders in initApp.
    ResourceManager::setMacReleaseCompile(1);
    ScreenManager::setDrawScale(800.0f / 800.0f);
    vostrel->initApp(800, 480, 30, 0);

    while (!plat::closeRequested()) vostrel->update();

    vostrel->onTerminate();
    plat::closeAudio();
    return 0;
}
