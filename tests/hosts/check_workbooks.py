#!/usr/bin/python3
"""Opens the workbooks the spreadsheet stand-in wrote with a real reader and checks them.

    check_workbooks.py FOLDER NAME...

Every named workbook must exist and open. A workbook whose column B describes column A (as
typed-values.xlsx does) has each value of A checked against that description; the others have
their own checks below. A converted table never holds a formula. A workbook or a clipboard text
(NAME.txt) written beside NAME.expected.json is checked cell by cell against it: a workbook's
cells by name ({"A4": {"number": 1.5}, "B4": {"text": "..."}}), a clipboard text's rows as a
spreadsheet pastes them (python's csv module, excel-tab dialect) against a list of rows.
"""
import csv
import datetime
import io
import json
import math
import os
import sys
import warnings

import openpyxl
from openpyxl.utils.datetime import to_excel
from openpyxl.utils.escape import unescape


def check_described_values(sheet, failures):
    """Column B names the kind of the value in column A: number, date, time or text."""
    expected_types = {
        "number": (int, float),
        "date": (datetime.datetime,),
        # Elapsed-time formats ("[h]:mm") read back as durations.
        "time": (datetime.time, datetime.timedelta),
        "text": (str,),
    }
    rows = 0
    for value, kind in sheet.iter_rows(min_col=1, max_col=2, values_only=True):
        if kind is None:
            continue
        rows += 1
        types = expected_types.get(kind)
        if types is None:
            failures.append(f"unknown kind {kind!r}")
        elif isinstance(value, bool) or not isinstance(value, types):
            failures.append(f"{value!r} is a {type(value).__name__}, expected {kind}")
    if rows == 0:
        failures.append("no described values")


def check_autofit(sheet, failures):
    merged = sorted(str(block) for block in sheet.merged_cells.ranges)
    if merged != ["B2:D2"]:
        failures.append(f"merged blocks {merged}, expected ['B2:D2']")
    if "D" in sheet.column_dimensions:
        failures.append("column D without text of its own was fitted")
    widths = {letter: sheet.column_dimensions[letter].width for letter in "ABC"}
    if not widths["A"] or widths["A"] <= 21:
        failures.append(f"column A is {widths['A']} wide, not fitted to its 21 characters")
    if not widths["C"] or not widths["B"] or widths["C"] <= widths["B"]:
        failures.append(f"columns B and C are {widths['B']} and {widths['C']} wide")
    if sheet["A2"].value != "Toner cartridge black" or sheet["B1"].value != 12:
        failures.append(f"cells A2 {sheet['A2'].value!r} and B1 {sheet['B1'].value!r}")


def check_values_formats_merges(sheet, failures):
    expected = {"B4": "=SUM(A1:A3)", "C4": 1234.5, "A5": "12 345"}
    for name, value in expected.items():
        if sheet[name].value != value:
            failures.append(f"{name} holds {sheet[name].value!r}, expected {value!r}")
    if sheet["C4"].number_format != "#,##0.00" or sheet["B4"].number_format != "@":
        failures.append(f"formats {sheet['C4'].number_format!r} and {sheet['B4'].number_format!r}")
    if sheet["C5"].alignment.vertical != "top":
        failures.append(f"C5 aligned {sheet['C5'].alignment.vertical!r}")
    merged = sorted(str(block) for block in sheet.merged_cells.ranges)
    if merged != ["C5:E6"]:
        failures.append(f"merged blocks {merged}, expected ['C5:E6']")


# The table that tests/printpath prints with Hebrew and Arabic cells, in reading order.
PRINTED_RTL_ROWS = [
    ["Name", "Hebrew", "Town", "Arabic"],
    ["Cohen", "\u05D3\u05D5\u05D3 \u05DB\u05D4\u05DF", "Haifa", "\u0645\u0631\u062D\u0628\u0627 \u0628\u0643\u0645"],
    ["Levi", "\u05E9\u05E8\u05D4 \u05DC\u05D5\u05D9", "Eilat", "\u0634\u0643\u0631\u0627 \u062C\u0632\u064A\u0644\u0627"],
    ["Sasson", "\u05E8\u05D9\u05E0\u05D4", "Akko", "\u0635\u0628\u0627\u062D"],
    ["Mizrahi", "\u05D7\u05D3\u05E8 12", "Jaffa", "\u05EA\u05DC (\u05D0\u05D1)"],
]


def is_right_to_left(text):
    return any("\u0590" <= c <= "\u05FF" or "\u0600" <= c <= "\u06FF" for c in text)


def check_no_formulas(sheet, failures):
    """A printed page never puts a formula into a converted table."""
    for row in sheet.iter_rows():
        for cell in row:
            if cell.data_type == "f":
                failures.append(f"{cell.coordinate} holds the formula {cell.value!r}")


def as_number(value):
    """A number as the workbook stores it; dates and times come back as their serial numbers."""
    if isinstance(value, bool):
        return None
    if isinstance(value, (int, float)):
        return float(value)
    if isinstance(value, (datetime.datetime, datetime.date, datetime.time, datetime.timedelta)):
        return float(to_excel(value))
    # A number too large for a date column's dates reads back as an error value.
    if value == "#VALUE!":
        return math.inf
    return None


def check_expected_cells(sheet, expected, failures):
    check_no_formulas(sheet, failures)
    for name, want in expected.items():
        value = sheet[name].value
        if "text" in want:
            # Readers decode the "_xHHHH_" escapes of the file as the spreadsheet does.
            text = unescape(value) if isinstance(value, str) else value
            if text != want["text"]:
                failures.append(f"{name} holds {str(value)[:60]!r}, expected the text {want['text'][:60]!r}")
        else:
            number = as_number(value)
            wanted = want["number"]
            if number is None or not (math.isclose(number, wanted, rel_tol=1e-12, abs_tol=1e-9)
                                      or (math.isinf(number) and abs(wanted) > 2958465)):
                failures.append(f"{name} holds {value!r}, expected the number {wanted!r}")


def check_pasted_rows(path, expected, failures):
    with open(path, encoding="utf-8", newline="") as text:
        rows = list(csv.reader(io.StringIO(text.read()), dialect="excel-tab"))
    if len(rows) != len(expected):
        failures.append(f"pastes as {len(rows)} rows, expected {len(expected)}")
    for number, (row, want) in enumerate(zip(rows, expected), start=1):
        if row != want:
            failures.append(f"row {number} pastes as {[c[:30] for c in row]!r}, expected {[c[:30] for c in want]!r}")


def check_printed_rtl(sheet, failures):
    """The export writes the table from row 4, column A."""
    check_no_formulas(sheet, failures)
    last_row = 3 + len(PRINTED_RTL_ROWS)
    rows = [list(row) for row in sheet.iter_rows(min_row=4, max_row=last_row, max_col=4, values_only=True)]
    if rows != PRINTED_RTL_ROWS:
        failures.append(f"cells {rows!r}")
    for row in sheet.iter_rows(min_row=4, max_row=last_row, max_col=4):
        for cell in row:
            right_to_left = is_right_to_left(str(cell.value))
            if right_to_left != (cell.alignment.readingOrder == 2):
                failures.append(f"{cell.coordinate} reading order {cell.alignment.readingOrder}")


def check_escapes(sheet, failures):
    """What the stand-in escapes reads back as it was typed."""
    expected = {"A1": "line 1\r\nline 2", "A2": "_x0041_ stays as typed", "A3": "bell\a"}
    for name, text in expected.items():
        if unescape(sheet[name].value) != text:
            failures.append(f"{name} holds {sheet[name].value!r}, expected {text!r}")


def check_formulas(sheet, failures):
    """The stand-in's formulas are formulas to a reader too; a text cell and numbers are not."""
    formulas = {"A1", "A2", "A3", "A4", "A5", "B1"}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None and (cell.data_type == "f") != (cell.coordinate in formulas):
                failures.append(f"{cell.coordinate} {cell.value!r} read as {cell.data_type}")


def check_autofit_shown(sheet, failures):
    """Each column is as wide as its value is shown: "10.0000", "$258.65", ..."""
    shown = ["10.0000", "$258.65", "-1,234,567", "(5.00)", "25%", "March 4, 2024", "2:30 PM", "1.23457E+11"]
    for index, text in enumerate(shown):
        letter = chr(ord("A") + index)
        width = sheet.column_dimensions[letter].width
        if not width or width < len(text):
            failures.append(f"column {letter} is {width} wide for {text!r}")


CHECKS = {
    "autofit-shown.xlsx": check_autofit_shown,
    "formulas.xlsx": check_formulas,
    "escapes.xlsx": check_escapes,
    "printed-rtl.xlsx": check_printed_rtl,
    "typed-values.xlsx": check_described_values,
    "autofit.xlsx": check_autofit,
    "values-formats-merges.xlsx": check_values_formats_merges,
}


def main():
    # A number beyond the last date in a date column is Excel's "#####"; the reader warns about it
    # and gives an error value, which as_number accepts.
    warnings.filterwarnings("ignore", message=".*outside the limits for dates")
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    folder = sys.argv[1]
    status = 0
    for name in sys.argv[2:]:
        path = os.path.join(folder, name)
        failures = []
        expected = None
        if os.path.exists(path + ".expected.json"):
            with open(path + ".expected.json", encoding="utf-8") as file:
                expected = json.load(file)
        if name.endswith(".txt"):
            if expected is None:
                failures.append("no expected rows beside it")
            else:
                check_pasted_rows(path, expected, failures)
        else:
            try:
                book = openpyxl.load_workbook(path)
            except Exception as error:  # the reader's own refusal is the finding
                failures.append(f"does not open: {error}")
            else:
                if expected is not None:
                    check_expected_cells(book.worksheets[0], expected, failures)
                else:
                    check = CHECKS.get(name, check_described_values)
                    check(book.worksheets[0], failures)
        for failure in failures:
            print(f"{name}: {failure}")
        status = status or (1 if failures else 0)
        if not failures:
            print(f"{name}: ok")
    return status


if __name__ == "__main__":
    sys.exit(main())
