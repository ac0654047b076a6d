#include "screens/scorescreen.h"

#include <algorithm>

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "imports/kz_time.h"
#include "platform/canvas.h"
#include "platform/text.h"
#include "screens/settingsmanager.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

namespace {
const char* const IMAGE_DIR = "images/screens/score_board/";

// Layout numbers are for the 800 x 480 canvas.
int scaled(double v) { return int(v * double(ScreenManager::getDrawScale())); }

struct TableImage {
    const char* key;
    const char* file;
};
// Airports first, then the free-play scenarios.
constexpr TableImage TABLE_IMAGES[] = {
    {"farmville", "farmville.png"}, {"seaside", "seaside.png"}, {"arctic_circle", "arctic.png"},
    {"calmday", "calmday.png"},     {"un", "un.png"},           {"birds", "birdstrike.png"},
    {"medical", "medical.png"},
};
}  // namespace

ScoreScreen::ScoreScreen() {
    _id = Constants::SCORE;
    _table = KZ_table::Create(scaled(201), scaled(90), scaled(400), scaled(350), _maxScoreCount, 4);
    for (int c = 0; c < 3; ++c) _table->setColWidth(c, scaled(81));
    auto res = ResourceManager::GetInstance();
    _table->setColFont(0, res->retrieveFont("big font"));

    auto ui = KZ_systemUI2::GetInstance();
    _btn_back = ui->CreateButton(scaled(720), scaled(340), res->retrieveImage("ok button"), this, Constants::SCORE);
    _btn_reset = ui->CreateButton(scaled(635), scaled(90), res->retrieveImage("reset button"), this, Constants::SCORE);

    for (const auto& ti : TABLE_IMAGES) _table->addImage(ti.key, res->getDirectImage(std::string(IMAGE_DIR) + ti.file));
}

int ScoreScreen::render() {
    if (_bgd) plat::drawImage(*_bgd, 0, 0, 0);
    if (_img_banner) plat::drawImage(*_img_banner, 0, float(scaled(12)), 0);
    _renderTableHeader();
    plat::setLineWidth(2.0f);
    _table->render();
    plat::setLineWidth(1.0f);
    return 0;
}

int ScoreScreen::_renderTableHeader() {
    plat::setColor(0, 0, 0);
    const int y = scaled(70);
    plat::drawText("Landings", float(scaled(205)), float(y));
    plat::drawText("Mode", float(scaled(290)), float(y));
    plat::drawText("Map", float(scaled(370)), float(y));
    plat::drawText("Date", float(scaled(450)), float(y));
    return 0;
}

int ScoreScreen::onFadeInStart() {
    auto res = ResourceManager::GetInstance();
    _bgd = res->getDirectImage(std::string(IMAGE_DIR) + "bgd.png");
    _img_banner = res->getDirectImage(std::string(IMAGE_DIR) + "banner.png");
    return 0;
}

int ScoreScreen::onFadeOutEnd() {
    _bgd.reset();
    _img_banner.reset();
    return 0;
}

int ScoreScreen::SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) {
    auto ev = std::dynamic_pointer_cast<KZ_event>(message);
    if (!ev || ev->getId() != KZ_event::ONCLICK || !context) return 0;
    if (context.get() == _btn_back.get()) {
        ScreenManager::GetInstance()->navBack();
    } else if (context.get() == _btn_reset.get()) {
        resetScores();
        // The emptied board is written at once; there is no confirmation.
        SettingsManager::GetInstance()->save();
    }
    return 0;
}

int ScoreScreen::_addScore(const ScoreItemPtr& item) {
    _topScore = 0;
    if (!item) return 0;
    const int n = int(_scoreArray.size());
    const int landings = item->landings;
    if (n > 0 && landings > 0 && landings > _scoreArray.front()->landings) _topScore = 1;
    // A board that is not full still refuses a result at or below its lowest entry.
    if (landings > 0 && (n == 0 || landings > _scoreArray.back()->landings)) {
        _scoreArray.push_back(item);
        _updateTable();
    }
    return 0;
}

std::string ScoreScreen::serializeScores() const {
    std::string out;
    bool first = true;
    for (const auto& e : _scoreArray) {
        if (!e) continue;
        if (!first) out += "#";
        first = false;
        out += std::to_string(e->landings) + "|" + e->handle + "|" + e->mode + "|" + e->map + "|" + e->date;
    }
    return out;
}

int ScoreScreen::loadScores(const std::string& text) {
    if (text.empty()) return 0;
    std::vector<ScoreItemPtr> board;
    for (const std::string& record : plat::split(text, "#")) {
        const std::vector<std::string> f = plat::split(record, "|");
        // Only an edited file holds a short record; there is nothing sound to guess from it.
        if (f.size() < 5) continue;
        board.push_back(ScoreItem::Create(plat::toInt(f[0]), f[1], f[2], f[3], f[4]));
    }
    _scoreArray = std::move(board);
    // A shorter board must not leave rows of the one it replaces on screen.
    _table->clear();
    _updateTable();
    return 0;
}

int ScoreScreen::resetScores() {
    _scoreArray.clear();
    _table->clear();
    return 0;
}

int ScoreScreen::addCurrentScore() {
    auto pm = GameShell::get().getGameplayMan();
    if (pm && pm->getStoryMode() != 0) {
        _topScore = 0;
        return 0;
    }
    std::string mode = "img;";
    if (pm) mode += pm->getIconName();
    auto entry = ScoreItem::Create(FleetManager::GetInstance()->getLandCount(), "user", mode,
                                   "img;" + Airport::GetInstance()->getIconName(), KZ_time::getDate(0));
    _addScore(entry);
    return 0;
}

int ScoreScreen::_updateTable() {
    // Stable, so equal results keep the order in which they came.
    std::stable_sort(_scoreArray.begin(), _scoreArray.end(),
                     [](const ScoreItemPtr& a, const ScoreItemPtr& b) { return a->compare(*b) < 0; });
    if (int(_scoreArray.size()) > _maxScoreCount) _scoreArray.resize(size_t(_maxScoreCount));
    for (int r = 0; r < int(_scoreArray.size()); ++r) {
        const auto& e = _scoreArray[size_t(r)];
        _table->setCellData(0, r, std::to_string(e->landings));
        _table->setCellData(1, r, e->mode);
        _table->setCellData(2, r, e->map);
        _table->setCellData(3, r, e->date);
    }
    return 0;
}
