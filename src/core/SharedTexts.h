#pragma once

#include <QString>

// Texts that several parts of the program show, each defined once.

// The genre filter's entry that stands for every genre.
inline const QString AllGenres = QStringLiteral("(All genres)");

// Wait notices shown in the playlist's place during long operations.
inline const QString AddingFilesNotice = QStringLiteral("Adding files, please wait...");
inline const QString ShufflingNotice = QStringLiteral("Shuffling playlist, please wait...");

// The CD wizard's closing message; the player notice holds it from start-up on.
inline const QString CdClosingMessage =
    QStringLiteral("Vexolin has now copied all media files in the playlist to the 'empty' directory you choose.")
    + QStringLiteral(" Now you can burn a CD. ")
    + QStringLiteral("Be sure that you copy the files IN the 'empty' directory you choose, NOT the directory itself!")
    + QStringLiteral(" Click Done when ready...");

// File dialog filters: "Description|pattern".
inline const QString DatabaseFilter = QStringLiteral("Vexolin Database|*.vxdatabase");
inline const QString PlaylistFilter = QStringLiteral("Vexolin Playlist|*.vxplaylist");
inline const QString AnyFileFilter = QStringLiteral("All Files|*.*");
// Add file(s): media first, then the playlists it reads, then anything.
inline const QString AddFilesFilter =
    QStringLiteral("Media files|*.mp3;*.ogg;*.oga;*.opus;*.flac;*.wav;*.m4a;*.aac;*.wma;*.mka;*.aif;*.aiff;*.ac3;"
                   "*.wv;*.mpc;*.mp4;*.m4v;*.mkv;*.webm;*.ogv;*.avi;*.mov;*.mpg;*.mpeg;*.wmv;*.flv;*.3gp;*.ts"
                   "|Playlists|*.m3u;*.m3u8;*.pls|")
    + AnyFileFilter;
// What a saved database or playlist is called when its name was given without an extension.
inline const QString DatabaseSuffix = QStringLiteral("VxDatabase");
inline const QString PlaylistSuffix = QStringLiteral("vxplaylist");
inline const QString CdDatabaseFilter = QStringLiteral("All file types|*.*");
