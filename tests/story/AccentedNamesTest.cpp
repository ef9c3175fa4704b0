// Stories in other languages: accented names of scenes and files match ignoring case whether the
// story was saved in Windows-1252 or UTF-8, and however the file system spells the files.
#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"
#include "tests/story/StoryTestSupport.h"

namespace {

using Names = std::vector<std::string>;

// A French story in Windows-1252: scenes Étape and Café; pictures, sound and tune named with
// accents in another case than their files. Folders and files on disk are UTF-8.
const char kFrenchStory[] =
    "[Title]\n@NAME Cr\xEApe\n@AUTHOR A\n@ARTIST B\n"
    "[Setup]\n@IMAGEDIR images\n@SOUNDDIR Bruit\xE9s\n@MUSICDIR musique\n@FIRSTSCENE \xE9TAPE\n"
    "[\xC9tape]\n@IMAGE \xC9" "cume.bmp\n@MUSIC CHANSON D'\xC9T\xC9.MID\n"
    "@OPTION1 Entrer\n@LINK1 CAF\xC9\n"
    "[Caf\xE9]\n@ANIM M\xE9" "duse.bmp, \xC9" "CUME.BMP\n@SOUND mar\xE9" "e.wav\n"
    "@OPTION1 Sortir\n@LINK1 \xE9tape\n";

class AccentedNames : public StoryTest {
 protected:
  AccentedNames() {
    WriteMedia("Images/\xC3\x89" "cume.bmp", BmpBytes(8, 8));       // Écume.bmp, composed
    WriteMedia("Images/Me\xCC\x81" "duse.bmp", BmpBytes(8, 8));     // Méduse.bmp, decomposed
    WriteMedia("Bruit\xC3\xA9s/MAR\xC3\x89" "E.WAV", "sound");        // Bruités/MARÉE.WAV
    WriteMedia("Musique/Chanson d'\xC3\xA9t\xC3\xA9.mid", "tune");  // Chanson d'été.mid
  }
};

TEST_F(AccentedNames, WindowsAndUtf8StoriesFindTheirScenesAndFiles) {
  for (const std::string& text : {std::string(kFrenchStory), platform::Cp1252ToUtf8(kFrenchStory)}) {
    EXPECT_TRUE(ReadAndValidate(text)) << text;
    EXPECT_TRUE(story.Errors().empty());
    ASSERT_NE(story.GetFirstScene(), nullptr);
    EXPECT_EQ(story.GetFirstScene(), story.Scenes()[0].get());
    EXPECT_EQ(story.FindScene("CAF\xC3\x89"), story.Scenes()[1].get());  // CAFÉ in UTF-8
    EXPECT_EQ(story.FindScene("cafe\xCC\x81"), story.Scenes()[1].get());  // café, decomposed
  }
}

TEST_F(AccentedNames, LettersThatDifferByAnAccentStayApart) {
  WriteMedia("Images/ecume.bmp", BmpBytes(8, 8));
  EXPECT_FALSE(ReadAndValidate("[Title]\n@NAME N\n@AUTHOR A\n@ARTIST B\n[Setup]\n@IMAGEDIR images\n"
                               "@FIRSTSCENE cafe\n[Caf\xE9]\n@ANIM \xC9" "CUME.BMP, meduse.bmp\n"));
  ASSERT_EQ(Codes(story.Errors()), (std::vector<int32_t>{1000, 1009}));
  EXPECT_EQ(story.Errors()[1].Path, dir / "images/meduse.bmp");
  const std::vector<std::string>& frames = story.Scenes()[0]->Frames;
  EXPECT_EQ(platform::ResolvePath(story.ImagePath(frames[0])), dir / "Images/\xC3\x89" "cume.bmp");

  // The inventory strikes out the file the name finds, and keeps its unaccented neighbour.
  Names sounds, pictures, music;
  story.FindUnusedResources(sounds, pictures, music);
  EXPECT_EQ(pictures, (Names{"Me\xCC\x81" "duse.bmp", "ecume.bmp"}));
}

TEST_F(AccentedNames, ErrorListSortsAccentedNamesBesideTheirLetters) {
  EXPECT_FALSE(ReadAndValidate("[Title]\n@NAME N\n@AUTHOR A\n@ARTIST B\n[Setup]\n@FIRSTSCENE S\n"
                               "[S]\n@ANIM zebra.bmp, \xC9" "tang.bmp, eel.bmp, \xC9TANG.bmp\n"));
  EXPECT_EQ(story.StoryErrorLines(), (Names{"Error! Image not found (line 8, Scene \"S\"): eel.bmp",
                                            "Error! Image not found (line 8, Scene \"S\"): \xC9" "tang.bmp",
                                            "Error! Image not found (line 8, Scene \"S\"): zebra.bmp"}));
}

}  // namespace
