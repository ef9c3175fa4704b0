// Music and sound of the scenes. Music and sound output arrive with the media scheduling; until
// then scenes are silent and these members leave everything as it is.
#include "game/GameDoc.h"

void CVeskoGameDoc::StartSceneMusic() {}
void CVeskoGameDoc::StartSceneSound() {}
void CVeskoGameDoc::StopMusic() {}
void CVeskoGameDoc::StopSound() {}
void CVeskoGameDoc::ClearMusic() {}
void CVeskoGameDoc::CloseMusic() {}
void CVeskoGameDoc::ChangeMusicDevice() {}
void CVeskoGameDoc::ChangeSoundDevice() {}
std::string CVeskoGameDoc::PlayingMusicPath() const { return std::string(); }
