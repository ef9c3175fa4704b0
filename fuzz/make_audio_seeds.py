#!/usr/bin/python3
"""Writes the seed inputs of the audio fuzz targets: MIDI and WAV bytes built here, Ogg Vorbis
made with sox and oggenc. Run from the repository root: python3 fuzz/make_audio_seeds.py"""
import os
import struct
import subprocess
import tempfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')


def write(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as file:
        file.write(data)


# ---- MIDI ----

def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def chunk(kind, body):
    return kind + struct.pack('>I', len(body)) + body


def header(fmt, tracks, division, length=6):
    return b'MThd' + struct.pack('>IHHH', length, fmt, tracks, division)


def meta(delta, kind, data):
    return vlq(delta) + bytes([0xFF, kind]) + vlq(len(data)) + data


END = meta(0, 0x2F, b'')


def notes(count, delta=48, key=60):
    out = b''
    for i in range(count):
        out += vlq(delta) + bytes([0x90, key + i % 12, 100]) + vlq(delta) + bytes([key + i % 12, 0])
    return out


def midi_seeds():
    write('midi_sequence', 'format0.mid', header(0, 1, 96) + chunk(b'MTrk', meta(0, 0x51, b'\x07\xa1\x20') + notes(8) + END))
    tempo_track = meta(0, 0x03, b'tempo map') + meta(0, 0x51, b'\x07\xa1\x20') + meta(384, 0x51, b'\x04\x93\xe0') + END
    melody = (bytes([0, 0xC0, 5]) + bytes([0, 6]) + vlq(0) + b'\xF0' + vlq(5) + b'\x7e\x7f\x09\x01\xf7' +
              vlq(10) + b'\xF7' + vlq(2) + b'\xf3\x01' + notes(6) + vlq(0) + bytes([0xE0, 0, 0x40]) + END)
    write('midi_sequence', 'format1.mid', header(1, 2, 480) + chunk(b'MTrk', tempo_track) + chunk(b'MTrk', melody))
    write('midi_sequence', 'unknown-chunk.mid', header(1, 2, 96) + chunk(b'MTrk', notes(2) + END) +
          chunk(b'XTRA', b'unknown chunk!!!') + chunk(b'MTrk', notes(2, key=70) + END))
    write('midi_sequence', 'long-vlq-and-meta.mid', header(0, 1, 96) + chunk(
        b'MTrk', b'\x80\x80\x80\x80\x60\x90\x3c\x40' + meta(0, 0x01, b'x' * 300) + meta(0, 0x7F, b'y' * 260) + END))
    write('midi_sequence', 'tempo-length-4.mid', header(0, 1, 96) + chunk(
        b'MTrk', b'\x00\xff\x51\x04\x07\xa1\x20' + notes(1) + END))
    write('midi_sequence', 'truncated.mid', (header(0, 1, 96) + chunk(b'MTrk', notes(4) + END))[:-7])
    write('midi_sequence', 'header-22.mid', header(0, 1, 96, 22) + chunk(b'MTrk', notes(2) + END))
    smf = header(0, 1, 96) + chunk(b'MTrk', notes(2) + END)
    write('midi_sequence', 'riff-wrapped.rmi', b'RIFF' + struct.pack('<I', len(smf) + 12) + b'RMIDdata' +
          struct.pack('<I', len(smf)) + smf)


# ---- WAV ----

def rchunk(kind, body):
    return kind + struct.pack('<I', len(body)) + body + (b'\0' if len(body) % 2 else b'')


def pcm_format(channels, rate, bits, tag=1):
    align = channels * bits // 8
    return struct.pack('<HHIIHH', tag, channels, rate, rate * align, align, bits)


def wave(chunks):
    return rchunk(b'RIFF', b'WAVE' + chunks)


def wav_seeds():
    samples = bytes((i * 37) & 0xFF for i in range(400))
    write('sound_wav', 'u8-mono.wav', wave(rchunk(b'fmt ', pcm_format(1, 11025, 8)) + rchunk(b'data', samples)))
    write('sound_wav', 's16-stereo-lists.wav', wave(rchunk(b'LIST', b'INFOINAM' + struct.pack('<I', 4) + b'name') +
                                                    rchunk(b'fmt ', pcm_format(2, 22050, 16)) + rchunk(b'data', samples) +
                                                    rchunk(b'JUNK', b'after')))
    extensible = pcm_format(1, 44100, 24, 0xFFFE) + struct.pack('<HHI', 22, 24, 4) + bytes(16)
    write('sound_wav', 'extensible-odd.wav', wave(rchunk(b'fmt ', extensible) + rchunk(b'data', samples[:99])))
    write('sound_wav', 'float.wav', wave(rchunk(b'fmt ', pcm_format(1, 8000, 32, 3) + b'\0\0') +
                                         rchunk(b'fact', struct.pack('<I', 100)) + rchunk(b'data', samples)))
    write('sound_wav', 'fmt-beyond-file.wav', wave(b'fmt ' + struct.pack('<I', 0x0A000000) + pcm_format(1, 8000, 8)))
    write('sound_wav', 'data-beyond-file.wav', wave(rchunk(b'fmt ', pcm_format(1, 8000, 16)) + b'data' +
                                                    struct.pack('<I', 0x7FFFF000) + samples[:100]))
    write('sound_wav', 'no-data.wav', wave(rchunk(b'fmt ', pcm_format(1, 8000, 8))))
    write('sound_wav', 'huge-chunk.wav', wave(b'junk' + struct.pack('<I', 0xFFFFFFF4) + rchunk(b'data', samples[:8])))
    write('sound_wav', 'rifx.wav', b'RIFX' + struct.pack('>I', 36) + b'WAVEfmt ' + struct.pack('>I', 16) + bytes(16))


# ---- Ogg Vorbis ----

def vorbis_seeds():
    with tempfile.TemporaryDirectory() as work:
        made = {}
        for name, rate, channels, seconds in (('mono-8000', 8000, 1, 0.1), ('stereo-22050', 22050, 2, 0.1)):
            source = os.path.join(work, name + '.wav')
            target = os.path.join(work, name + '.ogg')
            subprocess.run(['sox', '-R', '-n', '-r', str(rate), '-c', str(channels), '-b', '16', source,
                            'synth', str(seconds), 'sine', '440'], check=True)
            subprocess.run(['oggenc', '-Q', '-q', '0', '-s', str(rate), '-o', target, source], check=True)
            with open(target, 'rb') as file:
                made[name] = file.read()
        write('sound_vorbis', 'mono-8000.ogg', made['mono-8000'])
        write('sound_vorbis', 'stereo-22050.ogg', made['stereo-22050'])
        write('sound_vorbis', 'chained.ogg', made['mono-8000'] + made['stereo-22050'])
        write('sound_vorbis', 'truncated.ogg', made['stereo-22050'][:len(made['stereo-22050']) * 2 // 3])


if __name__ == '__main__':
    midi_seeds()
    wav_seeds()
    vorbis_seeds()
