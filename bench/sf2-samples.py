#!/usr/bin/env python3
"""Writes every sample of a SoundFont 2 bank as a raw 16-bit little-endian mono PCM file.

Usage: sf2-samples.py BANK OUTDIR
Prints one line per sample written: RATE PARTNER PATH, where PARTNER is the index of the other
half of the sample's stereo pair (-1 for none); the files are named by their sample index, NNNN.raw.
"""
import os
import struct
import sys


def chunks(data, offset, end):
    while offset + 8 <= end:
        tag, size = struct.unpack_from("<4sI", data, offset)
        yield tag, offset + 8, size
        offset += 8 + size + (size & 1)


def main():
    bank, outdir = sys.argv[1], sys.argv[2]
    data = open(bank, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"sfbk":
        sys.exit(f"{bank}: not a SoundFont 2 bank")
    samples = headers = None
    for tag, start, size in chunks(data, 12, len(data)):
        if tag != b"LIST":
            continue
        kind = data[start:start + 4]
        for inner, istart, isize in chunks(data, start + 4, start + size):
            if kind == b"sdta" and inner == b"smpl":
                samples = data[istart:istart + isize]
            elif kind == b"pdta" and inner == b"shdr":
                headers = data[istart:istart + isize]
    if samples is None or headers is None:
        sys.exit(f"{bank}: no smpl or shdr chunk")
    os.makedirs(outdir, exist_ok=True)
    # 46-byte records; the last is the terminal "EOS" record.
    records = [struct.unpack_from("<20sIIIIIBbHH", headers, 46 * i) for i in range(len(headers) // 46 - 1)]

    def stem(index):
        return records[index][0].split(b"\0")[0].replace(b"(L)", b"").replace(b"(R)", b"").strip()

    def partner(index):
        """The other half of a stereo pair (types 2 right, 4 left), or -1."""
        kind = records[index][9] & 0x06
        if not kind:
            return -1
        wanted = 0x06 ^ kind
        link = records[index][8]
        if link < len(records) and records[link][9] & wanted and records[link][8] == index:
            return link
        # Some banks leave the links 0: take the neighbour of the other side with the same name.
        for other in (index - 1, index + 1):
            if 0 <= other < len(records) and records[other][9] & wanted and stem(other) == stem(index):
                return other
        return -1

    for index, (_, first, end, _, _, rate, _, _, _, kind) in enumerate(records):
        if kind & 0x8000 or end <= first or 2 * end > len(samples):  # ROM samples have no data here
            continue
        path = os.path.join(outdir, f"{index:04d}.raw")
        with open(path, "wb") as out:
            out.write(samples[2 * first:2 * end])
        print(rate, partner(index), path)


if __name__ == "__main__":
    main()
