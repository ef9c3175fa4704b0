#include "audio/WavePlayer.h"

CWavePlayer::CWavePlayer() = default;

CWavePlayer::~CWavePlayer() { Shutdown(); }

int CWavePlayer::GetBytesPerSample() const { return m_format.wBitsPerSample / 8; }

// Not yet connected to an output device: every operation fails until the device layer exists.
bool CWavePlayer::Init(const std::string&) { return false; }
bool CWavePlayer::SetDevice(const std::string&) { return false; }
bool CWavePlayer::Open(const WAVEFORMATEX*) { return false; }
bool CWavePlayer::Close() { return false; }
bool CWavePlayer::Play(IWaveBufferFiller*, IWaveListener*, int, int, int) { return false; }
bool CWavePlayer::Stop() { return false; }
void CWavePlayer::Replay() {}
void CWavePlayer::Shutdown() {}
