#include "ui/window/ControlLayout.h"

#include "core/SharedTexts.h"

namespace {
using C = ControlSpec;

std::vector<ControlSpec> makeControls()
{
    std::vector<ControlSpec> c;
    auto add = [&c](ControlSpec s) { c.push_back(std::move(s)); };
    auto bold = [](ControlSpec s, double pt) { s.bold = true; s.pointSize = pt; return s; };

    add(bold({"statusLine", C::Label, "The playlist contains 0 media files", 120, 30, 4455, 255, "", true, true, "Status"}, 8.25));
    add(bold({"playtimeCaption", C::Label, "Playtime:", 6060, -15, 975, 270, ""}, 9.75));
    add(bold({"playtimeLabel", C::Label, "00:00:00", 7140, -15, 1215, 255, "", true, true, "Play time"}, 9.75));
    add(bold({"timeLeftCaption", C::Label, "Time left:", 8460, -15, 975, 255, ""}, 9.75));
    add(bold({"timeLeftLabel", C::Label, "00:00:00", 9540, -15, 1335, 255, "", true, true, "Time left"}, 9.75));
    add({"genreCaption", C::Label, "Genre:", 60, 360, 615, 255, ""});
    // The genre box starts a little right of the fields below it, so that "Genre:" shows whole.
    add({"genreFilter", C::Combo, AllGenres, 630, 315, 4005, 315, "", true, true, "Genre filter"});
    add({"genreField", C::Text, "", 630, 315, 3730, 315, "", false, true, "Genre", C::Sans, 8.25, false, 20});
    add({"artistCaption", C::Label, "Artist:", 60, 765, 615, 255, ""});
    add({"artistField", C::Text, "", 540, 720, 2895, 285, "", true, true, "Artist", C::Sans, 8.25, false, 40});
    add({"allToPlaylistButton", C::Button, "All to Playlist", 3540, 720, 1095, 315, ""});
    add({"artistList", C::List, "", 60, 1080, 4575, 2205, "", true, true, "Artists"});
    add({"titleCaption", C::Label, "Title:", 60, 3405, 480, 180, ""});
    add({"titleField", C::Text, "", 540, 3360, 2895, 285, "", true, true, "Title", C::Sans, 8.25, false, 40});
    add({"showAllButton", C::Button, "Show all", 3540, 3360, 1095, 315, ""});
    add({"titleList", C::List, "", 60, 3720, 4575, 2205, "", true, true, "Titles"});
    add({"playerArea", C::Player, "", 4740, 300, 7095, 5955, "", true, true, "Player"});
    ControlSpec playerNotice{"playerNotice", C::Label, CdClosingMessage, 5160, 480, 6375, 5400, "", false, true, {}, C::Arial, 21.75};
    playerNotice.centred = true;
    add(playerNotice);
    add({"transportFrame", C::Frame, " ", 4740, 5895, 1695, 345, ""});
    add({"playButton", C::GlyphButton, "", 4740, 5940, 615, 360, "", true, false, "Play"});
    add({"pauseButton", C::GlyphButton, "", 5460, 5940, 615, 360, "", true, false, "Pause"});
    add({"stopButton", C::GlyphButton, "", 6180, 5940, 615, 360, "", true, true, "Stop"});
    add({"previousEntryButton", C::GlyphButton, "", 6900, 5940, 615, 360, "", true, false, "Previous playlist entry"});
    add({"previousInMediaButton", C::GlyphButton, "", 7620, 5940, 375, 360, "", true, false, "Previous entry in media"});
    add({"entryCounter", C::Label, "1/1", 7980, 6045, 855, 255, "", true, true, "Entry of the open media"});
    add({"nextInMediaButton", C::GlyphButton, "", 8820, 5940, 375, 360, "", true, false, "Next entry in media"});
    add({"nextEntryButton", C::GlyphButton, "", 9300, 5940, 615, 360, "", true, false, "Next playlist entry"});
    add({"playlistCaption", C::Label, "Playlist:", 60, 6120, 2175, 255, ""});
    add({"addRecordButton", C::Button, "Add", 1530, 6030, 975, 285, "", false, false});
    add({"removeRecordButton", C::Button, "Remove", 2580, 6030, 975, 285, "", false, false});
    add({"doneEditingButton", C::Button, "Done", 3650, 6030, 975, 285, "", false});
    add({"wizardNextButton", C::Button, "Next", 2590, 6030, 975, 285, "", false});
    add({"wizardCancelButton", C::Button, "Cancel", 3640, 6030, 975, 285, "", false});
    add({"waitNotice", C::Label, "", 2280, 6720, 7335, 735, "", true, true, {}, C::Sans, 24});
    add({"playlist", C::List, "", 60, 6360, 11775, 1230, "", true, true, "Playlist", C::Courier, 9.75});
    // Down to the window's bottom edge: 255 twips would cut the descenders of its 12-point line.
    add(bold({"creditLine", C::Label, "V1.77", 120, 7635, 11775, 315, "", true, true, {}, C::Arial}, 12));
    // The check caption and busy notice (and the player notice above) are larger than in the old
    // layout: the fonts found here run wider and taller than MS Sans Serif and Arial did, and the
    // captions must stay whole.
    add({"checkPanel", C::Panel, "", 2160, 480, 7935, 5535, "", false, true, "Database check"});
    add({"checkCaption", C::Label, "The files listed  below could not be found (urls are not checked)",
         240, 120, 7455, 255, "checkPanel"});
    add({"missingList", C::List, "", 240, 360, 7455, 3375, "checkPanel", true, true, "Missing files"});
    ControlSpec missingCount = bold({"missingCount", C::Label, "", 240, 3840, 615, 255, "checkPanel"}, 8.25);
    missingCount.rightAligned = true; // the count stands next to "files left"
    add(missingCount);
    add(bold({"missingCountCaption", C::Label, "files left", 960, 3840, 735, 255, "checkPanel"}, 8.25));
    add({"removeAllMissingButton", C::Button, "Remove all", 5640, 3840, 975, 375, "checkPanel", false, false});
    add({"checkDoneButton", C::Button, "Done", 6720, 3840, 975, 375, "checkPanel"});
    ControlSpec checkBusyNotice{"checkBusyNotice", C::Label, "Not finished yet!", 1440, 4680, 5055, 735, "checkPanel", true, true, {}, C::Sans, 24};
    checkBusyNotice.centred = true;
    add(checkBusyNotice);
    return c;
}
} // namespace

const std::vector<ControlSpec>& mainWindowLayout()
{
    static const std::vector<ControlSpec> controls = makeControls();
    return controls;
}
