"""The pyodbc path of the select benchmarks: execute, fetchall and the three fields of every
row, timed inside Python so that neither the interpreter's start nor connecting counts.

Reads QUORLIN_BENCH_CONNECT, QUORLIN_BENCH_SQL and QUORLIN_BENCH_RUNS; runs one untimed
warm-up, then prints one line per timed run: "run SECONDS RECORDS FIRST_ID LAST_ID".
"""
import os
import sys
import time

import pyodbc


def walk(link, sql):
    cursor = link.cursor()
    cursor.execute(sql)
    rows = cursor.fetchall()
    first = last = None
    for row in rows:
        last = (row[0], row[1], row[2])
        if first is None:
            first = last
    cursor.close()
    return len(rows), first, last


def main():
    connect = os.environ["QUORLIN_BENCH_CONNECT"]
    sql = os.environ["QUORLIN_BENCH_SQL"]
    runs = int(os.environ.get("QUORLIN_BENCH_RUNS", "5"))
    link = pyodbc.connect(connect, autocommit=True)
    # The ANSI drivers hand back 8-bit text; without this psqlODBC's CHAR columns fail.
    link.setdecoding(pyodbc.SQL_CHAR, encoding="utf-8", ctype=pyodbc.SQL_CHAR)
    link.setdecoding(pyodbc.SQL_WCHAR, encoding="utf-8", ctype=pyodbc.SQL_CHAR)
    link.setencoding(encoding="utf-8")
    walk(link, sql)
    for _ in range(runs):
        start = time.perf_counter()
        records, first, last = walk(link, sql)
        elapsed = time.perf_counter() - start
        first_id = first[0] if first else ""
        last_id = last[0] if last else ""
        print(f"run {elapsed:.9f} {records} {first_id} {last_id}")
    link.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
