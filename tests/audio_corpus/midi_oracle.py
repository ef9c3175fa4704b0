#!/usr/bin/python3
"""Reads a MIDI file with mido (Debian's python3-mido) and prints its events in the order the
player's merged stream gives them, for comparison with the player's own reader.

The events of each track are decoded by mido. The order across tracks is the player's: every
event at its absolute tick; at tick 0 all events of the first track, then those of the second,
and so on; at a later tick first each track's first event at that tick (in track order), then
each track's further events at that tick, track by track.

Output, for each file named on the command line: "FILE <path>", then "NOTMIDI" for a file that does not begin with a header chunk; "REFUSED <reason>" when
mido cannot decode a track; else "OK" and one line per event: "TICK TYPE DATA", with TYPE
SHORTMSG (DATA: status + first byte * 0x100 + second byte * 0x10000, six hex digits), TEMPO
(microseconds per quarter note, six hex digits), NOP (other meta events, 000000) or SYSEX (DATA:
the message bytes in hex without a leading F0 or a trailing F7).
"""
import io
import struct
import sys

from mido.midifiles.midifiles import read_track


def chunks(data):
    """(type, bytes) of every chunk, sizes as declared, the last one cut at the end of the file."""
    position = 0
    while position + 8 <= len(data):
        kind = data[position:position + 4]
        size = struct.unpack('>I', data[position + 4:position + 8])[0]
        yield kind, data[position:position + 8 + size]
        position += 8 + size


def track_events(chunk):
    """(tick, text) of every event of the track up to its end-of-track event; None when the
    track breaks off before its declared end."""
    try:
        track = read_track(io.BytesIO(chunk))
    except EOFError:
        return None
    tick = 0
    events = []
    for message in track:
        tick += message.time
        if message.type == 'end_of_track':
            break
        if message.is_meta:
            if message.type == 'set_tempo':
                events.append((tick, 'TEMPO %06x' % message.tempo))
            else:
                events.append((tick, 'NOP 000000'))
        elif message.type == 'sysex':
            events.append((tick, 'SYSEX ' + bytes(message.data).hex()))
        else:
            raw = message.bytes() + [0, 0]
            events.append((tick, 'SHORTMSG %06x' % (raw[0] | raw[1] << 8 | raw[2] << 16)))
    return events


def merged(tracks):
    keyed = []
    for number, events in enumerate(tracks):
        previous = None
        for sequence, (tick, text) in enumerate(events):
            pending = tick > 0 and tick != previous
            rank = 0 if tick == 0 or pending else 1
            keyed.append(((tick, rank, number, sequence), tick, text))
            previous = tick
    keyed.sort()
    return [(tick, text) for _, tick, text in keyed]


def main(path):
    with open(path, 'rb') as file:
        data = file.read()
    if data[:4] != b'MThd':
        print('NOTMIDI')
        return
    tracks = []
    for kind, chunk in chunks(data):
        if kind != b'MTrk':
            continue
        try:
            events = track_events(chunk)
        except Exception as failure:  # mido's own refusals: undefined status bytes and the like
            print('REFUSED %s: %s' % (type(failure).__name__, failure))
            return
        if events is not None:
            tracks.append(events)
    print('OK')
    for tick, text in merged(tracks):
        print(tick, text)


if __name__ == '__main__':
    for argument in sys.argv[1:]:
        print('FILE', argument)
        main(argument)
