// Names of the recordings: what a title and a station line become in the
// folders and file names under "\AUDIO\".
//
// A recording is saved as
//   <player folder>\AUDIO\<station>\<DD-MM-YYYY>\<language>\<hh-mm-ss>_<base>.mp3
// where the language folder follows the first byte of the base name. Every
// name a title or a station line gives is made safe for the file system
// here: nothing they hold can leave "\AUDIO\" or give a path that Windows
// refuses, so a kept recording can always be saved. Text is Windows-1251.
#pragma once

#include <cstddef>
#include <string>

// Longest full path of a recording or its temporary copy. Leaves room under
// the Windows limit of 259 characters for the suffix of the file a save
// writes before it takes the final name (ours and the encoder's).
constexpr size_t kMaxRecordingPath = 240;
// Longest station folder name, so that a long station name leaves room for
// the titles.
constexpr size_t kMaxStationFolder = 64;

// Replaces each character that a file name may not hold, or that would let
// it climb out of its folder, by "_": / : * . ? " < > | \ ; , + @ ! # № $ % ^ &
// and the control characters.
std::string SanitizeFileName(const std::string& Text);

// No leading or trailing blanks, every run of blanks one blank.
std::string NormalizeSpaces(const std::string& Text);

// The text after the first blank (a station line "3 Jazz One" gives
// "Jazz One"); the whole text when it has no blank.
std::string AfterFirstBlank(const std::string& Line);

// True for the names Windows keeps for devices (CON, PRN, AUX, NUL,
// COM1..COM9, LPT1..LPT9), in any case.
bool IsReservedDeviceName(const std::string& Name);

// A name Windows takes as a folder of that very name inside its parent: the
// characters it refuses (< > : " / \ | ? * and the control characters)
// become "_", the name is cut to kMaxStationFolder, trailing dots and blanks
// go, and a device name before any dot gets a "_" ("CON.FM" gives
// "CON_.FM"). Everything else stays, dots and the title's other characters
// included ("Radio 1.FM"). A name of nothing but dots and blanks comes out
// empty, so its day folders go straight under "\AUDIO\", as those of a
// station without a name do.
std::string SafeFolderName(const std::string& Name);

// The folder name of a station from its list line: after the first blank,
// blanks normalised, then made safe (SafeFolderName).
std::string StationFolderName(const std::string& StationText);

// The sanitised base name of a file: the title, or after an empty title or
// "-" the station label after its first blank.
std::string FileBaseFor(const std::string& FileTitle, const std::string& StationLabel);

// "\РУССКОЕ\" when the first byte of `FileBase` is above "z", else
// "\ЗАРУБЕЖКА\" (also for an empty name).
std::string LanguageFolder(const std::string& FileBase);

// "\" + station + "\" + date.
std::string StationDatePath(const std::string& Station, const std::string& Date);

// `Base` cut at its end so that `FixedLength` + its length stays within
// kMaxRecordingPath; blanks left at the cut are dropped. At least one
// character stays ("_" when nothing would).
std::string FitBaseName(const std::string& Base, size_t FixedLength);
