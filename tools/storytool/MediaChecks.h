#pragma once
// Loading a story's media files as the player loads them, to find the ones it cannot play.
#include <cstdint>
#include <string>
#include <vector>

class CGameFile;

enum class MediaKind { Picture, Sound, Music };

struct MediaFile {
  MediaKind Kind;
  std::string Path;
  uint32_t Line;  // the line of the first scene keyword that names it
};

// "picture", "sound" or "music".
const char* MediaKindName(MediaKind kind);

// Every file the scenes name, each once (names that differ only in case are one file), in the
// order the story names them.
std::vector<MediaFile> NamedMedia(const CGameFile& story);

// Why a file cannot be opened at all, or empty when it can.
std::string OpenError(const std::string& path);

// Loads the file as the player would. True with what the player made of it in details (size and
// bits; format, channels, rate and length; tracks, events and length), or false with the
// loader's error text.
bool LoadMediaFile(const MediaFile& file, std::string& details);
