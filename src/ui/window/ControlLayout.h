#pragma once

#include <QString>
#include <vector>

// The main window's controls as data: what each is, where it sits (in twips) and how it starts.
// Rows name their fields; a field left out keeps the default given here.
struct ControlSpec
{
    enum Kind { Label, Combo, Text, Button, GlyphButton, List, Frame, Player, Panel, Slider };
    enum FontRole { Sans, Arial, Courier };

    const char* name = "";
    Kind kind = Label;
    QString caption = {};
    int left = 0, top = 0, width = 0, height = 0; // twips, inside the parent
    const char* parent = "";      // "" for the window's client area
    bool visible = true;
    bool enabled = true;
    // What the control is for, as a screen reader says it: its accessible name where it shows no
    // text of its own (lists, fields, glyph buttons, sliders, the player); where its text is what it means
    // (labels, captioned buttons), the live text is the name and the role its description.
    QString role = {};
    FontRole font = Sans;
    double pointSize = 8.25;
    bool bold = false;
    int maxLength = 0;            // text fields
    bool centred = false;         // labels
    bool rightAligned = false;    // labels
};

// In creation order: a later control lies over an earlier one where they overlap.
const std::vector<ControlSpec>& mainWindowLayout();

// Twips to logical pixels: 15 twips are one pixel.
constexpr int twips(int t) { return t / 15; }

// Names a control of a small window and places it by a geometry in twips; returns it.
template <typename W>
W* placed(W* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
    return widget;
}
inline constexpr int ClientWidthTwips = 11910;
inline constexpr int ClientHeightTwips = 7950;
