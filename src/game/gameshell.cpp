#include "game/gameshell.h"

#include "vostrel/singleton.h"

namespace {
std::shared_ptr<GameShell>& current() {
    static std::shared_ptr<GameShell> shell;
    static const bool registered = (SingletonRegistry::onReset([] { shell.reset(); }), true);
    (void)registered;
    return shell;
}
}  // namespace

GameShell& GameShell::get() {
    auto& shell = current();
    if (!shell) shell = std::make_shared<GameShell>();
    return *shell;
}

void GameShell::install(std::shared_ptr<GameShell> shell) {
    auto pm = get().getGameplayMan();
    current() = shell ? std::move(shell) : std::make_shared<GameShell>();
    current()->setGameplayMan(std::move(pm));
}
