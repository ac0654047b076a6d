// The score board: keeps the seven best free-play results, says whether the last result
// offered is a new top score, converts the board to and from its line in the progress file,
// and shows it as a table.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "imports/kz_table.h"
#include "platform/image.h"
#include "screens/scoreitem.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/kz_button.h"
#include "vostrel/singleton.h"

class ScoreScreen : public inf_screenManager, public Singleton<ScoreScreen> {
public:
    ScoreScreen();

    int render() override;
    int onFadeInStart() override;
    int onFadeOutEnd() override;
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override;

    // Admission of one result (see the .cpp); recomputes _topScore.
    int _addScore(const ScoreItemPtr& item);
    // Records "landings|handle|mode|map|date" joined by "#", best first; "" when empty.
    std::string serializeScores() const;
    // Replaces the board from the text form; "" leaves it as it is.
    int loadScores(const std::string& text);
    // Empties the board and the table; _topScore is kept.
    int resetScores();
    int isTopScore() const { return _topScore; }
    // Enters the running game (nothing for a story game).
    int addCurrentScore();
    int _updateTable();
    int _renderTableHeader();

    plat::ImagePtr _bgd;
    plat::ImagePtr _img_banner;
    std::shared_ptr<KZ_table> _table;
    std::shared_ptr<KZ_button> _btn_back;
    std::shared_ptr<KZ_button> _btn_reset;
    std::vector<ScoreItemPtr> _scoreArray;
    int _maxScoreCount = 7;
    int _topScore = 0;
};
