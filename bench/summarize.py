#!/usr/bin/env python3
"""Turns the benchmark JSON into the table of bench/README.md: operation x list size -> median,
and the 100 000-message cases beside the AES + memcpy floor of the same run."""
import json
import sys

OPERATIONS = [
    ("BM_SaveItemList", "save list file (SaveItemList)"),
    ("BM_LoadItemList", "load list file (LoadItemList)"),
    ("BM_EncodeItemList", "lines + container in memory"),
    ("BM_DecodeItemList", "container + records in memory"),
    ("BM_MergeItemList", "merge N into N (MergeItemList)"),
    ("BM_DueScan", "due scan (CheckDue on every message)"),
    ("BM_AesDecrypt", "AES-256-ECB decipher, file size"),
    ("BM_Memcpy", "memcpy, file size"),
]
SIZES = [1000, 10000, 100000]
TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def medians(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    result = {}
    for bench in data["benchmarks"]:
        if bench.get("aggregate_name", "median") != "median" or bench.get("error_occurred"):
            continue
        name, size = bench["run_name"].split("/")[:2]
        result[(name, int(size))] = bench["real_time"] * TO_MS[bench["time_unit"]]
    return data["context"], result


def millis(value):
    if value is None:
        return "—"
    return f"{value:.3f} ms" if value < 1 else f"{value:.1f} ms"


def main():
    context, times = medians(sys.argv[1])
    print(f"{context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, {context.get('date')}")
    print()
    print("| operation | " + " | ".join(f"N = {n:,}".replace(",", " ") for n in SIZES) + " |")
    print("|---|" + "---:|" * len(SIZES))
    for key, label in OPERATIONS:
        print(f"| {label} | " + " | ".join(millis(times.get((key, n))) for n in SIZES) + " |")

    aes, copy = times.get(("BM_AesDecrypt", 100000)), times.get(("BM_Memcpy", 100000))
    if aes is None or copy is None:
        return
    floor = aes + copy
    print()
    print(f"Floor for the 100 000-message file: {millis(floor)} (AES {millis(aes)} + memcpy {millis(copy)})")
    print()
    print("| operation, N = 100 000 | median | × floor |")
    print("|---|---:|---:|")
    for key, label in [("BM_LoadItemList", "load"), ("BM_SaveItemList", "save"),
                       ("BM_MergeItemList", "merge 100 000 into 100 000")]:
        value = times.get((key, 100000))
        if value is not None:
            print(f"| {label} | {millis(value)} | {value / floor:.1f} |")


if __name__ == "__main__":
    main()
