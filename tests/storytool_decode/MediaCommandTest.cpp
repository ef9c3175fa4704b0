// fablewick-story media, run as a program on a story written by the test.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/audio/SmfBuilder.h"
#include "tests/audio/VorbisEncoder.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/RiffBuilder.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

struct MediaRun {
  int status = -1;
  std::string out;
};

MediaRun Media(const TempDir& dir, const std::string& story) {
  std::string out = dir / "stdout.txt";
  std::string command = std::string(STORY_TOOL) + " media '" + story + "' > '" + out + "' 2>/dev/null";
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out)};
}

// A 4 x 2 picture of 24 bits.
std::string Picture() { return testing_support::SolidBmp24(4, 2, 0x404040); }

}  // namespace

TEST(MediaCommand, LoadsEveryNamedFileAsThePlayerWould) {
  TempDir dir;
  const std::string story = dir / "Story";
  WriteFile(story + "/gamefile.txt",
            "[Title]\n@NAME M\n[Setup]\n@IMAGEDIR pics\\\n@SOUNDDIR snd\n@MUSICDIR mus\n@FIRSTSCENE A\n"
            "[A]\n@ANIM a.bmp, A.BMP, junk.bmp\n@SOUND tone.wav\n@MUSIC song.mid\n"
            "[B]\n@IMAGE a.bmp\n@SOUND wind.ogg\n@MUSIC STOP\n"
            "[C]\n@SOUND gone.wav\n@MUSIC noise.mid\n");
  WriteFile(story + "/pics/a.bmp", Picture());
  WriteFile(story + "/pics/junk.bmp", "not a picture");
  WriteFile(story + "/snd/tone.wav", riff::Wave(riff::PcmFormat(2, 8000, 16), std::string(16000, '\0')));
  WriteFile(story + "/snd/wind.ogg", vorbis_test::Encode(1, 11025, 5512, vorbis_test::Sine(440, 11025)));
  {
    using namespace smf;
    // Two quarter notes at the default tempo, then two at twice the speed: 1.5 s in all.
    WriteFile(story + "/mus/song.mid",
              Header(0, 1, 96) + Track(NoteOn(0, 60) + NoteOn(192, 62) +
                                       Meta(0, 0x51, Bytes({0x03, 0xD0, 0x90})) + NoteOn(192, 64) +
                                       EndOfTrack()));
  }
  WriteFile(story + "/mus/noise.mid", "RIFF----RMIDdata");

  MediaRun run = Media(dir, story);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "picture " + story + "/pics/a.bmp ok 4x2 24 bits\n"
            "picture " + story + "/pics/junk.bmp Not a BMP file\n"
            "sound " + story + "/snd/tone.wav ok WAV format 1, 2 channels, 8000 Hz, 16 bits, 0.50 s\n"
            "music " + story + "/mus/song.mid ok 1 tracks, 4 events, 1.50 s\n"
            "sound " + story + "/snd/wind.ogg ok Ogg Vorbis, 1 channels, 11025 Hz, 16 bits, 0.50 s\n"
            "sound " + story + "/snd/gone.wav No such file or directory\n"
            "music " + story + "/mus/noise.mid Error! \"" + story + "/mus/noise.mid\": is not a valid midi file!\n");
}

TEST(MediaCommand, NamedPipesAreUnreadableAndNeverWaitedOn) {
  TempDir dir;
  WriteFile(dir / "S/gamefile.txt", "[Title]\n@NAME M\n[Setup]\n@FIRSTSCENE A\n[A]\n@IMAGE p.bmp\n@SOUND s.wav\n@MUSIC m.mid\n");
  testing_support::NamedPipe picture(dir / "S/p.bmp"), sound(dir / "S/s.wav"), music(dir / "S/m.mid");
  MediaRun run = Media(dir, dir / "S");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "picture " + (dir / "S/p.bmp") + " Operation not supported\n" +
                     "sound " + (dir / "S/s.wav") + " Operation not supported\n" +
                     "music " + (dir / "S/m.mid") + " Operation not supported\n");
  EXPECT_FALSE(picture.ReaderWaited() || sound.ReaderWaited() || music.ReaderWaited());
}

TEST(MediaCommand, StoryWithPlayableMediaSucceeds) {
  TempDir dir;
  WriteFile(dir / "S/gamefile.txt", "[Title]\n@NAME M\n[Setup]\n@FIRSTSCENE A\n[A]\n@IMAGE p.bmp\n");
  WriteFile(dir / "S/p.bmp", Picture());
  MediaRun run = Media(dir, dir / "S/gamefile.txt");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "picture " + (dir / "S/p.bmp") + " ok 4x2 24 bits\n");
  EXPECT_EQ(Media(dir, dir / "nothing").status, 2);
}
