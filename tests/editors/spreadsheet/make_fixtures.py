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
"""
import datetime
import struct
import sys

import openpyxl
import xlwt

CELLS = [
    (2, 2, 42), (2, 3, 3.75), (2, 4, -0.5),
    (3, 2, 1e20), (3, 3, 0.1), (3, 4, -7),
    (4, 2, "表格导入"), (4, 3, "Привет"), (4, 5, True),
    (5, 2, datetime.date(2024, 3, 5)), (5, 3, datetime.time(14, 30)),
    (5, 4, datetime.datetime(2024, 3, 5, 14, 30)),
]
FORMATS = {datetime.date: "yyyy-mm-dd", datetime.time: "hh:mm:ss",
           datetime.datetime: "yyyy-mm-dd hh:mm:ss"}


def write_xls(path):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("First")
    for row, column, value in CELLS:
        style = xlwt.easyxf(num_format_str=FORMATS.get(type(value), "General"))
        sheet.write(row, column, value, style)
    book.add_sheet("Second").write(0, 0, "not read")
    book.save(path)


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
    book.add_sheet("Far").write(65535, 255, 1)
    book.save(path)


def main():
    folder = sys.argv[1]
    write_xls(folder + "/book.xls")
    write_xlsx(folder + "/book.xlsx")
    write_locked(folder + "/book.xls", folder + "/locked.xls")
    write_far(folder + "/far.xls")


main()
