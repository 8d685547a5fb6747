#include "ControlInventory.h"

namespace {
using C = ControlSpec;

// Label12 holds the CD builder's closing message until something else needs the notice.
const QString CdClosingMessage =
    QStringLiteral("Vexolin has now copied all media files in the playlist to the 'empty' directory you choose.")
    + QStringLiteral(" Now you can burn a CD. ")
    + QStringLiteral("Be sure that you copy the files IN the 'empty' directory you choose, NOT the directory itself!")
    + QStringLiteral(" Click Done when ready...");

std::vector<ControlSpec> makeControls()
{
    std::vector<ControlSpec> c;
    auto add = [&c](ControlSpec s) { c.push_back(std::move(s)); };
    auto bold = [](ControlSpec s, double pt) { s.bold = true; s.pointSize = pt; return s; };

    add(bold({"Label10", C::Label, "The playlist contains 0 media files", 120, 30, 4455, 255, ""}, 8.25));
    add(bold({"Label6", C::Label, "Playtime:", 6060, -15, 975, 270, ""}, 9.75));
    add(bold({"Label5", C::Label, "00:00:00", 7140, -15, 1215, 255, ""}, 9.75));
    add(bold({"Label8", C::Label, "Time left:", 8460, -15, 975, 255, ""}, 9.75));
    add(bold({"Label7", C::Label, "00:00:00", 9540, -15, 1335, 255, ""}, 9.75));
    add({"Label4", C::Label, "Genre:", 60, 360, 615, 255, ""});
    add({"Combo1", C::Combo, "(All genres)", 540, 315, 4095, 315, "", true, true, "Genre filter"});
    add({"Text4", C::Text, "", 540, 315, 3820, 315, "", false, true, "Genre", C::Sans, 8.25, false, 20});
    add({"Label1", C::Label, "Artist:", 60, 765, 615, 255, ""});
    add({"Text1", C::Text, "", 540, 720, 2895, 285, "", true, true, "Artist", C::Sans, 8.25, false, 40});
    add({"Command6", C::Button, "All to Playlist", 3540, 720, 1095, 315, ""});
    add({"List1", C::List, "", 60, 1080, 4575, 2205, "", true, true, "Artists"});
    add({"Label2", C::Label, "Title:", 60, 3405, 480, 180, ""});
    add({"Text2", C::Text, "", 540, 3360, 2895, 285, "", true, true, "Title", C::Sans, 8.25, false, 40});
    add({"Command12", C::Button, "Show all", 3540, 3360, 1095, 315, ""});
    add({"List2", C::List, "", 60, 3720, 4575, 2205, "", true, true, "Titles"});
    add({"MediaPlayer1", C::Player, "", 4740, 300, 7095, 5955, "", true, true, "Player"});
    ControlSpec label12{"Label12", C::Label, CdClosingMessage, 5160, 480, 6375, 5400, "", false, true, {}, C::Arial, 21.75};
    label12.centred = true;
    add(label12);
    add({"Frame1", C::Frame, " ", 4740, 5895, 1695, 345, ""});
    add({"Command1", C::GlyphButton, "", 4740, 5940, 615, 360, "", true, false, "Play"});
    add({"Command2", C::GlyphButton, "", 5460, 5940, 615, 360, "", true, false, "Pause"});
    add({"Command3", C::GlyphButton, "", 6180, 5940, 615, 360, "", true, true, "Stop"});
    add({"Command4", C::GlyphButton, "", 6900, 5940, 615, 360, "", true, false, "Previous playlist entry"});
    add({"Command7", C::GlyphButton, "", 7620, 5940, 375, 360, "", true, false, "Previous entry in media"});
    add({"Label9", C::Label, "1/1", 7980, 6045, 855, 255, ""});
    add({"Command8", C::GlyphButton, "", 8820, 5940, 375, 360, "", true, false, "Next entry in media"});
    add({"Command5", C::GlyphButton, "", 9300, 5940, 615, 360, "", true, false, "Next playlist entry"});
    add({"Label13", C::Label, "Playlist:", 60, 6120, 2175, 255, ""});
    add({"Command11", C::Button, "Add", 1530, 6030, 975, 285, "", false, false});
    add({"Command10", C::Button, "Remove", 2580, 6030, 975, 285, "", false, false});
    add({"Command9", C::Button, "Done", 3650, 6030, 975, 285, "", false});
    add({"Command15", C::Button, "Next", 2590, 6030, 975, 285, "", false});
    add({"Command16", C::Button, "Cancel", 3640, 6030, 975, 285, "", false});
    add({"Label11", C::Label, "Label11", 2280, 6720, 7335, 735, "", true, true, {}, C::Sans, 24});
    add({"List3", C::List, "", 60, 6360, 11775, 1230, "", true, true, "Playlist", C::Courier, 9.75});
    add(bold({"Label3", C::Label, "V1.77", 120, 7635, 11775, 255, "", true, true, {}, C::Arial}, 12));
    // Label16 and Label17 (and Label12 above) are larger than in the old layout: the fonts found
    // here run wider and taller than MS Sans Serif and Arial did, and the captions must stay whole.
    add({"Picture1", C::Panel, "", 2160, 480, 7935, 5535, "", false, true, "Database check"});
    add({"Label16", C::Label, "The files listed  below could not be found (urls are not checked)",
         240, 120, 7455, 255, "Picture1"});
    add({"List5", C::List, "", 240, 360, 7455, 3375, "Picture1", true, true, "Missing files"});
    ControlSpec label15 = bold({"Label15", C::Label, "Label15", 240, 3840, 615, 255, "Picture1"}, 8.25);
    label15.rightAligned = true; // the count stands next to "files left"
    add(label15);
    add(bold({"Label14", C::Label, "files left", 960, 3840, 735, 255, "Picture1"}, 8.25));
    add({"Command14", C::Button, "Remove all", 5640, 3840, 975, 375, "Picture1", false, false});
    add({"Command13", C::Button, "Done", 6720, 3840, 975, 375, "Picture1"});
    ControlSpec label17{"Label17", C::Label, "Not finished yet!", 1440, 4680, 5055, 735, "Picture1", true, true, {}, C::Sans, 24};
    label17.centred = true;
    add(label17);
    add({"List6", C::List, "", 480, 5160, 375, 255, "Picture1", false});
    add({"List4", C::List, "", 10020, 6000, 495, 255, "", false});
    add({"File1", C::FileList, "", 10800, 5160, 375, 285, "", false});
    return c;
}
} // namespace

const std::vector<ControlSpec>& mainWindowControls()
{
    static const std::vector<ControlSpec> controls = makeControls();
    return controls;
}
