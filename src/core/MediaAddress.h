#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Which addresses the media player is given. Only local files, file:// URLs and network streams
// reach it: the player's other address forms (fd://, fdclose://, memory://, lavf://, edl://, …)
// reach into the program's own descriptors and memory, and are refused.
//
// The player takes a text for a stream when it starts with a scheme and "://" (letters first,
// then letters, digits, '+', '-' or '.'); any other text is a file, except "-", which is its
// standard input.

enum class AddressKind { LocalFile, FileUrl, NetworkStream, Refused };

AddressKind addressKind(QStringView address);

// The schemes of the addresses the player is given: "file" and the network streams'.
QStringList playedSchemes();

// The text the player is handed for an address: a local file or a file:// URL as an absolute
// path (relative ones taken from baseDir), which the player can take neither for a stream nor for
// its standard input; a network stream as given; empty for a refused or empty address.
QString playerAddress(QStringView address, const QString& baseDir);

// A playlist entry that names no media: empty or blank, or an M3U comment line ("#EXTM3U",
// "#EXTINF:…").
bool namesNoMedia(QStringView entry);
