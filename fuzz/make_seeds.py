#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora of the fuzz targets into corpus/<target>/. Run again
after changing it; the files are kept in the repository."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def blank_image():
    rows = [[255] * 16 for _ in range(256)]
    rows[0][:14] = [80, 18, 32, 70, 0, 0, 0, 1, 255, 255, 255, 255, 2, 32]
    rows[153][:4] = [0, 64, 0, 71]
    rows[208][:13] = [5, 113, 129, 3, 0, 4, 3, 0, 0, 0, 0, 0, 0]
    rows[209][4:9] = [19, 16, 23, 23, 26]
    rows[210] = [0] * 16
    rows[212][:8] = [ord(c) for c in "ZT 7902"] + [2]
    rows[240][:3] = [50, 100, 200]
    return rows


def chann(rows, sep=" ", eol="\r\n"):
    return "".join("".join(f" {v}{sep}" for v in row) + eol for row in rows)


def write(target, name, data):
    d = os.path.join(HERE, "corpus", target)
    os.makedirs(d, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)


def channel_file_seeds():
    rows = blank_image()
    flat = [v for row in rows for v in row]
    write("fuzz_channel_file", "blank_crlf", chann(rows))
    write("fuzz_channel_file", "blank_lf", chann(rows, eol="\n"))
    write("fuzz_channel_file", "commas", ",".join(str(v) for v in flat))
    write("fuzz_channel_file", "one_line", " ".join(str(v) for v in flat))
    write("fuzz_channel_file", "bom", b"\xef\xbb\xbf" + chann(rows).encode())
    write("fuzz_channel_file", "n4095", " ".join(str(v) for v in flat[:-1]))
    write("fuzz_channel_file", "n4097", " ".join(str(v) for v in flat + [7]))
    bad = list(flat)
    bad[100] = 256
    write("fuzz_channel_file", "value256", " ".join(str(v) for v in bad))
    bad[100] = -1
    write("fuzz_channel_file", "minus1", " ".join(str(v) for v in bad))
    write("fuzz_channel_file", "tabs_and_junk", "\t".join(str(v) for v in flat[:50]) + " x1 2.5 +3")
    write("fuzz_channel_file", "empty", "")


CSV_HEADER = ("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
              "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
              "RPT1CALL,RPT2CALL,DVCODE")


def csv_seeds():
    rows = [
        "1,simp,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,",
        "2,Rpt,439.9875,-,9.4,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,1.0W,,,,,",
        "3,TSQ,430.05,+,7.6,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,12.50,S,0.5W,,,,,",
        "4,DCS,446.1,,0,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,12.50,,5.0W,note,,,,",
        "5,X1,446.2,split,446.3,Cross,100.0,88.5,023,NN,023,Tone->Tone,FM,12.50,P,5.0W,,,,,",
        "7,X3,446.4,,,Cross,88.5,88.5,023,NN,17,->DTCS,FM,12.50,,5.0W,,,,,",
        "11,X7,446.8,,,Cross,88.5,88.5,612,RR,703,DTCS->DTCS,FM,12.50,,5.0W,,,,,",
        '12,"Lo ng",446.9,off,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,',
        "128,LAST,469.99999,,,,,,,,,,FM,,,High,,,,,",
    ]
    write("fuzz_csv_import", "full_crlf", "\r\n".join([CSV_HEADER] + rows) + "\r\n")
    write("fuzz_csv_import", "full_lf", "\n".join([CSV_HEADER] + rows) + "\n")
    write("fuzz_csv_import", "bom", b"\xef\xbb\xbf" + ("\n".join([CSV_HEADER] + rows[:2])).encode())
    write("fuzz_csv_import", "short_header", "Location,Frequency,Name\r\n2,440.1,NEW\r\n")
    write("fuzz_csv_import", "bad_rows", "Location,Frequency,Power\n0,446.1,High\n129,480.5,Max\nx,,\n")
    write("fuzz_csv_import", "quotes", 'Location,Frequency,Name\n1,446,"A,B"\n2,446.1,"AB\n')
    write("fuzz_csv_import", "one_line", CSV_HEADER)
    # Shaped like published lists: numbered from 0, long names, watts, a VHF
    # row among UHF ones, a negative offset, another mode, past channel 128.
    pmr = [f"{i},PMR446 Channel {i + 1:02d},{446.00625 + 0.0125 * i:.5f},,,,,,,,,,NFM,,,0.5W,,,,,"
           for i in range(16)]
    write("fuzz_csv_import", "pmr_from_0", "\r\n".join([CSV_HEADER] + pmr) + "\r\n")
    write("fuzz_csv_import", "published",
          '\ufeff"Location","Name","Frequency","Duplex","Offset","Tone","rToneFreq","Mode","Power"\n'
          "0,Simple Site (Business): Base,451.25,,,,,FM,High\n"
          "1,Simple Site (Business): Mobile,451.275,,,,,FM,4 W\n"
          "2,2m Calling,145.5,,,,,FM,50W\n"
          "3,GB3PX (Cambridge),430.8375,-,-7.6,Tone,77.0,FM,25W\n"
          "4,Digital,438.5,,,,,DV,5W\n"
          "129,Marine Ch 16,156.8,,,,,FM,1W\n")
    write("fuzz_csv_import", "semicolons", "Location;Name;Frequency\n1;A;446.1\n")
    write("fuzz_csv_import", "title_line", "Repeaters\nLocation,Frequency,Name\n1,470,EDGE\n2,469.99999,IN\n")


def link_seeds():
    ident = bytes(b"ZT790") + bytes([50, 100, 200, 2])

    def rec(pause, data):
        return bytes([pause, len(data)]) + data

    read = bytes([0]) + rec(2, ident)
    for b in range(254):
        read += rec(2, bytes([ord("R"), b // 16, (16 * b) % 256, 0x10, 0]) + bytes((b + i) % 256 for i in range(16)))
    write("fuzz_link_receive", "read_full", read)
    write("fuzz_link_receive", "read_first_blocks", read[: 1 + 11 + 23 * 5])
    write("fuzz_link_receive", "read_noisy_ident", bytes([0]) + rec(2, b"\x00\x00\x00" + ident[:6]) + rec(1, ident[6:]))
    wr = bytes([1]) + rec(2, ident) + b"".join(rec(2, b"\x06") for _ in range(240))
    write("fuzz_link_receive", "write_full", wr)
    write("fuzz_link_receive", "write_bad_acks", bytes([1]) + rec(2, ident) + rec(2, b"\x15") + rec(130, b"\x06"))
    power = bytes([2]) + rec(2, ident) + rec(2, b"\x06") + rec(3, b"\xff\x10") + rec(2, b"\x06")
    write("fuzz_link_receive", "power", power)


channel_file_seeds()
csv_seeds()
link_seeds()
