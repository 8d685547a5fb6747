#pragma once

#include <QString>
#include <functional>

class Form1;

// The five-character sort key of a whole number r (0..99997): its decimal digits followed by
// four zeros, cut to five characters. 7 gives "70000", 123 gives "12300", 98765 gives "98765".
QString shuffleKey(int r);
// The same key as a number: 7 gives 70000, 0 gives 0.
int shuffleKeyValue(int r);

// The whole number 0..99997 that a random x in [0, 1) stands for.
int shuffleNumber(double x);

// Playlist > Shuffle playlist: every entry gets a random key, the sorted working list List4 orders
// the keyed entries (equal keys by the entries' own text, ignoring case), and the playlist is
// refilled from it without the keys.
class Shuffle
{
public:
    explicit Shuffle(Form1& form);

    void RandomPlaylist_Click();

    // The random numbers in [0, 1) the shuffle draws, one per entry in playlist order; the
    // program's generator unless a test scripts them.
    std::function<double()> nextRandom;

private:
    Form1& form_;
};
