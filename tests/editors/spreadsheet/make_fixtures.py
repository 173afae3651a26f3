#!/usr/bin/env python3
"""Writes the spreadsheet fixtures into the folder given as the only argument.

book.xls (xlwt) and book.xlsx (openpyxl) hold the same first worksheet, data from C3 on:
  C3 42          D3 3.75          E3 -0.5
  C4 1e20        D4 0.1           E4 -7
  C5 CJK text    D5 Cyrillic text E5 (empty)  F5 TRUE
  C6 2024-03-05  D6 14:30:00      E6 2024-03-05 14:30:00
and a second worksheet that must not be read. locked.xls is book.xls marked as
password-protected (a FILEPASS record after its BOF); far.xls has one cell
at the last row and column a BIFF8 sheet can hold.

The compound-file layouts hold book.xls's workbook stream in a compound file of our
own writing: in the mini stream, either side of the mini stream's cutoff, in
4096-byte sectors, and long enough for its FAT to need a chain of two DIFAT sectors;
excel95.xls names it as Excel 95 did.

shown.xls/.xlsx (1900 date system) and shown1904.xls/.xlsx hold in each row a value
with a number format in column A and the text the sheet shows for it in column B.
formulas.xls/.xlsx hold formula cells with the results the file stores in column A
(xlwt and openpyxl store none; they are written in afterwards) and the text the
sheet shows in column B; its last row's text is LONG_WIDE, which the test knows too.

The damaged_*.xls files hold book.xls's workbook stream with one record spoilt: the
last shared string longer than its record, or its rich-text runs past it; the first
sheet's first number cut short; a MULRK of a size no whole number of cells fills; the
stream cut inside a record's header.
"""
import datetime
import re
import struct
import sys
import zipfile

import openpyxl
import xlwt
from openpyxl.utils.datetime import CALENDAR_MAC_1904
from xlwt.CompoundDoc import XlsDoc

CELLS = [
    (2, 2, 42), (2, 3, 3.75), (2, 4, -0.5),
    (3, 2, 1e20), (3, 3, 0.1), (3, 4, -7),
    (4, 2, "表格导入"), (4, 3, "Привет"), (4, 5, True),
    (5, 2, datetime.date(2024, 3, 5)), (5, 3, datetime.time(14, 30)),
    (5, 4, datetime.datetime(2024, 3, 5, 14, 30)),
]
FORMATS = {datetime.date: "yyyy-mm-dd", datetime.time: "hh:mm:ss",
           datetime.datetime: "yyyy-mm-dd hh:mm:ss"}

DEC31 = datetime.datetime(2024, 12, 31)
LAST_MOMENT = datetime.datetime(2024, 12, 31, 23, 59, 59, 600000)
# The built-in short date (id 14), as each writer names it.
SHORT_DATE = {"xls": "M/D/YY", "xlsx": "mm-dd-yy"}
SHOWN = [  # (value, number format, the text the sheet shows): formats as files store them
    (-1234.5, "#,##0.00", "-1,234.50"),
    (99.9, '"¥"#,##0.00', "¥99.90"),
    (99.9, "[$¥-804]#,##0.00", "¥99.90"),
    (-5, '"$"#,##0_);("$"#,##0)', "($5)"),
    (1.5e20, "0.00E+00", "1.50E+20"),
    (12345, "##0.0E+0", "12.3E+3"),
    (999.5, "#,##0", "1,000"),
    (-1234.5, "#,##0.00_);[Red](#,##0.00)", "(1,234.50)"),
    (1234.5, "General", "1234.5"),
    (1.25, "# ?/?", "1 1/4"),
    (3.14159265358979, "# ??/??", "3 14/99"),
    (DEC31, SHORT_DATE, "12/31/2024"),
    (DEC31, 'yyyy"年"m"月"d"日"', "2024年12月31日"),
    (DEC31, "d-mmm-yy", "31-Dec-24"),
    (datetime.time(14, 30), "h:mm AM/PM", "2:30 PM"),
    (LAST_MOMENT, "yyyy-mm-dd hh:mm:ss", "2025-01-01 00:00:00"),
    (datetime.datetime(9999, 12, 31), "yyyy-mm-dd", "9999-12-31"),
    (1.5, "[h]:mm:ss", "36:00:00"),
]

LONG_WIDE = "价格 Price " * 1200  # longer than one record, two bytes a character
# One byte a character up to the first break, two after it.
LONG_MIXED = "Price list " * 1000 + "价格"
# A result stored as its type byte and value byte (bytes 6-7 of the result 0xFFFF).
DIV0 = ("error", 0x07)
FORMULAS = [  # (formula, the result the file stores, number format, the text shown)
    ("2*3", 6.0, "0.00", "6.00"),
    ("SUM(1,2)", 3.0, "General", "3"),
    ('"ab"&"c"', "abc", "General", "abc"),
    ("1/0", DIV0, "General", "#DIV/0!"),
    ("1>2", False, "General", "FALSE"),
    ("1<2", True, "General", "TRUE"),
    ("DATE(2024,12,31)", 45657.0, "m/d/yyyy", "12/31/2024"),
    ('REPT("Price list ",1000)&"价格"', LONG_MIXED, "General", LONG_MIXED),
    ('REPT("价格 Price ",1200)', LONG_WIDE, "General", LONG_WIDE),
]

RECORD_DATA_BYTES = 8224  # the most data a BIFF8 record holds


def serial(value, date1904):
    """A date or time as a serial number of the date system."""
    if isinstance(value, datetime.time):
        value = datetime.datetime.combine(datetime.date(1900, 1, 1), value)
        return (value - datetime.datetime(1900, 1, 1)).total_seconds() / 86400
    if isinstance(value, datetime.datetime):
        epoch = datetime.datetime(1904, 1, 1) if date1904 else datetime.datetime(1899, 12, 30)
        return (value - epoch).total_seconds() / 86400
    return value


def book_xls():
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("First")
    for row, column, value in CELLS:
        style = xlwt.easyxf(num_format_str=FORMATS.get(type(value), "General"))
        sheet.write(row, column, value, style)
    book.add_sheet("Second").write(0, 0, "not read")
    return book


def write_xlsx(path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "First"
    for row, column, value in CELLS:
        cell = sheet.cell(row=row + 1, column=column + 1, value=value)
        if type(value) in FORMATS:
            cell.number_format = FORMATS[type(value)]
    book.create_sheet("Second")["A1"] = "not read"
    book.save(path)


def write_locked(source, path):
    data = bytearray(open(source, "rb").read())
    # A password-protected workbook has FILEPASS (0x002F) right after its first BOF
    # (0x0809); here it takes the place of INTERFACEHDR (0x00E1), which follows BOF,
    # and a shorter INTERFACEHDR fills the rest, so that every length stays.
    at = data.index(struct.pack("<HH", 0x0809, 16)) + 20
    if data[at:at + 4] != struct.pack("<HH", 0x00E1, 2):
        sys.exit("no INTERFACEHDR after BOF")
    data[at:at + 16] = (struct.pack("<HHHHH", 0x002F, 6, 0, 0x1234, 0x5678) +  # XOR key
                        struct.pack("<HHH", 0x00E1, 2, 0x04B0))
    open(path, "wb").write(data)


def write_far(path):
    book = xlwt.Workbook()
    sheet = book.add_sheet("Far")
    sheet.write(65535, 255, 1)
    sheet.write(499, 49, 2)  # the last cell kept
    book.save(path)


def write_compound(path, stream, sector_shift=9, name="Workbook"):
    """A compound file whose root holds stream under name: in the mini stream when it
    is shorter than 4096 bytes, else in regular sectors."""
    size, per_sector = 1 << sector_shift, (1 << sector_shift) // 4
    end, fat_mark, difat_mark, free = 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFC, 0xFFFFFFFF
    sectors = []  # the file's sectors after the header, as bytes

    def add(data):  # data in new sectors; their first sector and count
        first = len(sectors)
        data = data + b"\0" * (-len(data) % size)
        sectors.extend(data[i:i + size] for i in range(0, len(data), size))
        return first, len(data) // size

    chains = []  # (first sector, count) of each chained run
    mini = len(stream) < 4096
    if mini:
        container = stream + b"\0" * (-len(stream) % 64)
        chains.append(add(container))
        mini_count = len(container) // 64
        mini_fat = struct.pack(f"<{mini_count}I", *range(1, mini_count), end)
        chains.append(add(mini_fat))
        root_start, root_size, stream_start = chains[0][0], len(container), 0
    else:
        chains.append(add(stream))
        root_start, root_size, stream_start = end, 0, chains[0][0]

    def entry(entry_name, kind, child, start, length):
        encoded = (entry_name + "\0").encode("utf-16-le")
        links = struct.pack("<HBBIII", len(encoded), kind, 1, free, free, child)
        return encoded.ljust(64, b"\0") + links + b"\0" * 36 + struct.pack("<IQ", start, length)

    directory = (entry("Root Entry", 5, 1, root_start, root_size) +
                 entry(name, 2, free, stream_start, len(stream)))
    chains.append(add(directory.ljust(size, b"\0")))
    # FAT sectors beyond the header's 109 are listed in DIFAT sectors.
    fats = difats = 0
    while fats * per_sector < len(sectors) + fats + difats:
        fats += 1
        difats = max(0, -(-(fats - 109) // (per_sector - 1)))
    fat_first = len(sectors)
    fat = [free] * (fats * per_sector)
    for first, count in chains:
        for i in range(first, first + count):
            fat[i] = i + 1 if i + 1 < first + count else end
    for i in range(fat_first, fat_first + fats):
        fat[i] = fat_mark
    for i in range(fat_first + fats, fat_first + fats + difats):
        fat[i] = difat_mark
    add(struct.pack(f"<{len(fat)}I", *fat))
    fat_list = list(range(fat_first, fat_first + fats))
    difat_first = len(sectors)
    for k in range(difats):
        listed = fat_list[109 + k * (per_sector - 1):109 + (k + 1) * (per_sector - 1)]
        listed += [free] * (per_sector - 1 - len(listed))
        add(struct.pack(f"<{per_sector}I", *listed, difat_first + k + 1 if k + 1 < difats else end))
    header = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16 +
              struct.pack("<HHHHH", 0x3E, 3 if sector_shift == 9 else 4, 0xFFFE, sector_shift, 6) +
              b"\0" * 6 +
              struct.pack("<IIIIIIIII", 0 if sector_shift == 9 else 1, fats, chains[-1][0], 0, 4096,
                          chains[1][0] if mini else end, chains[1][1] if mini else 0,
                          difat_first if difats else end, difats) +
              struct.pack("<109I", *(fat_list[:109] + [free] * (109 - min(109, fats)))))
    with open(path, "wb") as out:
        out.write(header.ljust(size, b"\0") + b"".join(sectors))


def write_compound_layouts(folder):
    stream = book_xls().get_biff_data()
    layouts = [("mini.xls", 9, 0), ("below_cutoff.xls", 9, 4095), ("at_cutoff.xls", 9, 4096),
               ("wide_sectors.xls", 12, 9000), ("many_fat_sectors.xls", 9, 237 * 128 * 512)]
    for name, shift, padded in layouts:
        write_compound(f"{folder}/{name}", stream.ljust(padded, b"\0"), shift)
    # Excel 5 and 95 named their workbook stream "Book".
    write_compound(f"{folder}/excel95.xls", stream, 9, "Book")


def biff_records(stream):
    """The workbook stream's records as [kind, data] pairs."""
    out, at = [], 0
    while at < len(stream):
        kind, length = struct.unpack_from("<HH", stream, at)
        out.append([kind, bytearray(stream[at + 4:at + 4 + length])])
        at += 4 + length
    return out


def last_sst_string(data):
    """Where the SST's last string (its character count) starts."""
    at, last = 8, 8
    while at < len(data):
        count, flags = struct.unpack_from("<HB", data, at)
        last, at = at, at + 3
        runs = struct.unpack_from("<H", data, at)[0] if flags & 0x08 else 0
        at += 2 if flags & 0x08 else 0
        phonetic = struct.unpack_from("<i", data, at)[0] if flags & 0x04 else 0
        at += 4 if flags & 0x04 else 0
        at += count * (2 if flags & 0x01 else 1) + 4 * runs + phonetic
    return last


def write_damaged(folder):
    def save(name, spoil):
        records = biff_records(book_xls().get_biff_data())
        spoil(records)
        write_compound(f"{folder}/damaged_{name}.xls",
                       b"".join(struct.pack("<HH", k, len(d)) + d for k, d in records))

    def sst(records):
        return next(d for k, d in records if k == 0x00FC)

    def first_sheet(records):  # the index of the first sheet's BOF
        return [i for i, (k, _) in enumerate(records) if k == 0x0809][1]

    def cut_string(records):  # more characters than the record holds
        data = sst(records)
        struct.pack_into("<H", data, last_sst_string(data), 0xFFFF)

    def runs_past(records):  # two characters, then runs beyond the record
        data = sst(records)
        struct.pack_into("<HB", data, last_sst_string(data), 2, 0x08)

    def cut_number(records):
        number = next(r for r in records[first_sheet(records):] if r[0] == 0x0203)
        number[1] = number[1][:10]

    def odd_mulrk(records):  # row 0, columns 0-0, one byte over
        at = first_sheet(records) + 1
        records.insert(at, [0x00BD, bytearray(struct.pack("<HHHIHB", 0, 0, 15, 0x02, 0, 0))])

    def cut_date_mode(records):  # one byte of its two; the sheets start a byte sooner
        mode = next(r for r in records if r[0] == 0x0022)
        mode[1] = mode[1][:1]
        for kind, data in records:
            if kind == 0x0085:
                struct.pack_into("<I", data, 0, struct.unpack_from("<I", data)[0] - 1)

    def sheet_past_bof(records):  # the sheet's offset names its BOF's second record
        sheet = next(d for k, d in records if k == 0x0085)
        bof_length = len(records[first_sheet(records)][1])
        struct.pack_into("<I", sheet, 0, struct.unpack_from("<I", sheet)[0] + 4 + bof_length)

    for name, spoil in [("string", cut_string), ("runs", runs_past), ("number", cut_number),
                        ("mulrk", odd_mulrk), ("datemode", cut_date_mode),
                        ("sheet", sheet_past_bof)]:
        save(name, spoil)

    # The stream ends inside the header of the first sheet's second record.
    records = biff_records(book_xls().get_biff_data())
    cut = sum(4 + len(data) for _, data in records[:first_sheet(records) + 1]) + 3
    write_compound(f"{folder}/damaged_end.xls",
                   b"".join(struct.pack("<HH", k, len(d)) + d for k, d in records)[:cut])


def write_shown(folder, date1904):
    name = "shown1904" if date1904 else "shown"
    book = xlwt.Workbook(encoding="utf-8")
    book.dates_1904 = date1904
    sheet = book.add_sheet("Shown")
    workbook = openpyxl.Workbook()
    if date1904:
        workbook.epoch = CALENDAR_MAC_1904
    for row, (value, code, text) in enumerate(SHOWN):
        number = serial(value, date1904)
        xls_code = code["xls"] if isinstance(code, dict) else code
        sheet.write(row, 0, number, xlwt.easyxf(num_format_str=xls_code))
        sheet.write(row, 1, text)
        cell = workbook.active.cell(row=row + 1, column=1, value=number)
        cell.number_format = code["xlsx"] if isinstance(code, dict) else code
        workbook.active.cell(row=row + 1, column=2, value=text)
    # Rich text, whose runs the shared strings hold after its characters.
    bold = xlwt.easyfont("bold true")
    sheet.write_rich_text(len(SHOWN), 0, [("rich ", bold), "text"])
    sheet.write(len(SHOWN), 1, "rich text")
    workbook.active.append(["rich text", "rich text"])
    book.save(f"{folder}/{name}.xls")
    workbook.save(f"{folder}/{name}.xlsx")


def result_bytes(result):
    """A FORMULA record's 8-byte result, and the records that follow it."""
    if isinstance(result, bool):
        return struct.pack("<BBBxxxH", 1, 0, result, 0xFFFF), b""
    if isinstance(result, float):
        return struct.pack("<d", result), b""
    if isinstance(result, tuple):
        return struct.pack("<BBBxxxH", 2, 0, result[1], 0xFFFF), b""
    return struct.pack("<BxxxxxH", 0, 0xFFFF), string_records(result)


def string_records(text):
    """A STRING record; characters beyond it go on in CONTINUE records. Each record's
    characters take one byte where they can, two where they must, as its flags byte
    says (the string's own in the STRING record)."""
    records, kind, rest = b"", 0x0207, text
    while rest or kind == 0x0207:
        head = struct.pack("<H", len(text)) if kind == 0x0207 else b""
        room = RECORD_DATA_BYTES - len(head) - 1
        wide = any(ord(c) > 0xFF for c in rest[:room])
        piece = rest[:room // 2] if wide else rest[:room]
        data = head + bytes([wide]) + piece.encode("utf-16-le" if wide else "latin-1")
        records += struct.pack("<HH", kind, len(data)) + data
        kind, rest = 0x003C, rest[len(piece):]
    return records


def with_results(stream):
    """The workbook stream with each formula's result stored (row i holds FORMULAS[i])."""
    out, at = bytearray(), 0
    while at < len(stream):
        kind, length = struct.unpack_from("<HH", stream, at)
        data, following = stream[at + 4:at + 4 + length], b""
        at += 4 + length
        if kind == 0x0006:
            row = struct.unpack_from("<H", data)[0]
            result, following = result_bytes(FORMULAS[row][1])
            data = data[:6] + result + data[14:]
        out += struct.pack("<HH", kind, len(data)) + data + following
    return bytes(out)


def cached_value(result):
    """The type and value of a cached formula result in SpreadsheetML."""
    if isinstance(result, bool):
        return ' t="b"', str(int(result))
    if isinstance(result, float):
        return "", repr(result)
    if isinstance(result, tuple):
        return ' t="e"', "#DIV/0!"
    return ' t="str"', result


def write_formulas(folder):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Formulas")
    workbook = openpyxl.Workbook()
    for row, (formula, _, code, text) in enumerate(FORMULAS):
        sheet.write(row, 0, xlwt.Formula(formula), xlwt.easyxf(num_format_str=code))
        sheet.write(row, 1, text)
        cell = workbook.active.cell(row=row + 1, column=1, value="=" + formula)
        cell.number_format = code
        workbook.active.cell(row=row + 1, column=2, value=text)
    # The stream has one sheet, so no sheet's offset moves with the records added.
    XlsDoc().save(f"{folder}/formulas.xls", with_results(book.get_biff_data()))
    workbook.save(f"{folder}/formulas.xlsx")
    with zipfile.ZipFile(f"{folder}/formulas.xlsx") as package:
        parts = {name: package.read(name) for name in package.namelist()}

    def cache(match):
        kind, value = cached_value(FORMULAS[int(match.group(2)) - 1][1])
        return f"{match.group(1)}{kind}><f>{match.group(3)}</f><v>{value}</v></c>"

    sheet_xml = parts["xl/worksheets/sheet1.xml"].decode()
    parts["xl/worksheets/sheet1.xml"] = re.sub(
        r'(<c r="A(\d+)"[^>]*)><f>(.*?)</f><v></v></c>', cache, sheet_xml).encode()
    with zipfile.ZipFile(f"{folder}/formulas.xlsx", "w", zipfile.ZIP_DEFLATED) as package:
        for name, data in parts.items():
            package.writestr(name, data)


def main():
    folder = sys.argv[1]
    book_xls().save(folder + "/book.xls")
    write_xlsx(folder + "/book.xlsx")
    write_locked(folder + "/book.xls", folder + "/locked.xls")
    write_far(folder + "/far.xls")
    write_compound_layouts(folder)
    write_damaged(folder)
    write_shown(folder, False)
    write_shown(folder, True)
    write_formulas(folder)


main()
