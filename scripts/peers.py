#!/usr/bin/env python3
"""Orvane against Qt 5 Widgets (./run peers).

Runs our benchmarks and the Qt peer's (bench/peers/qt) in alternating rounds, so that a slow
phase of the machine falls on both sides, takes each figure's median over the rounds, prints
the table and writes it to docs/performance.md with the machine and the versions, and draws
the chart of the ratios with our own drawing code (peers-chart).
"""

import argparse
import datetime
import json
import os
import platform
import re
import statistics
import subprocess
import sys
import time
from dataclasses import dataclass
from typing import Optional


@dataclass(frozen=True)
class Figure:
    title: str  # the table's row
    work: str  # what both sides do
    ours: Optional[tuple]  # (benchmark program, benchmark name), None: not built yet
    qt: str  # the Qt peer's benchmark name
    counter: Optional[str] = None  # a counter's value instead of the time per iteration


FIGURES = [
    Figure("Wrapped paragraph, Latin",
           "10,000 characters wrapped into 600 px and drawn (DrawTextW; QPainter::drawText)",
           ("bench_text", "BM_DrawTextLatin"), "QtDrawTextLatin"),
    Figure("Wrapped paragraph, Latin, new text",
           "the same, but a different paragraph on every draw (the words rotated by one more "
           "character each time, through all 124 rotations), so no line laid out by an earlier "
           "draw of the same text is reused",
           ("bench_text", "BM_DrawTextLatinFresh"), "QtDrawTextLatinFresh"),
    Figure("Wrapped paragraph, Arabic", "the same in Arabic",
           ("bench_text", "BM_DrawTextArabic"), "QtDrawTextArabic"),
    Figure("Wrapped paragraph, Chinese", "the same in Chinese",
           ("bench_text", "BM_DrawTextChinese"), "QtDrawTextChinese"),
    Figure("Markup document, whole",
           "30,000 characters of bold, italic and coloured markup parsed, laid out at 600 px and "
           "drawn (HtmlLabelRenderer; QTextDocument)",
           ("bench_labelhtml", "LongCaptionWholeAt600"), "QtRichTextWholeAt600"),
    Figure("Markup label, caption change",
           "the same document set as a 608 × 800 label's caption and repainted (ucLabelHTML; "
           "QLabel)",
           ("bench_labelhtml", "LongCaptionLabel600x800"), "QtRichLabel600x800"),
    Figure("Gallery form, whole",
           "every control of the gallery drawn whole at 1280 × 800 (RedrawWindow; QWidget::render "
           "of the nearest Qt widgets)",
           ("bench_gallery", "GalleryFullRepaint"), "QtGalleryRender"),
    Figure("100 buttons, whole", "a 1280 × 800 form of 100 buttons repainted",
           ("bench_button", "RepaintFormOf100Buttons"), "QtRepaintFormOf100Buttons"),
    Figure("Button hover", "the pointer enters or leaves one of the 100 buttons, which repaints",
           ("bench_button", "ButtonHoverRepaint"), "QtButtonHoverRepaint"),
    Figure("Choice group 1,000 items, layout and paint",
           "a 1890 × 1000 group of 1,000 options \"Item 0\" to \"Item 999\" in columns of 40 "
           "rows, its font size flipped between 9.75 and 9 pt, so that every caption is measured "
           "and laid out again, and repainted whole (ucOptionGroup; 1,000 QRadioButtons of one "
           "QButtonGroup in a QGridLayout of 40 rows by 25 columns, which narrows its columns "
           "to the window's width)",
           ("bench_choice_groups", "LayoutAndPaint1000Items"),
           "QtChoiceGroupLayoutAndPaint1000Items"),
    Figure("Choice group 1,000 items, paint", "the same group repainted whole, laid out as it was",
           ("bench_choice_groups", "Paint1000Items"), "QtChoiceGroupPaint1000Items"),
    Figure("List 1,000,000 rows, first paint",
           "a 400 × 600 list made, given 1,000,000 rows whose text comes from the program "
           "(\"Row 1\", ...) and painted. Ours is a report view of five columns without a "
           "header (SysListView32 with LVS_OWNERDATA, its 5 cells a row asked for through "
           "LVN_GETDISPINFOW), so it draws five texts a row, and forgets its laid-out lines "
           "and words before each paint, as Qt's item delegate lays its texts out on every "
           "paint (what each face has learnt of how its characters shape stays, as its glyphs "
           "stay rasterized and Qt's glyph cache stays warm); Qt's is "
           "a QListView of one column with uniform item sizes over a model of 1,000,000 rows",
           ("bench_listview", "ListOwnerDataFirstPaint"), "QtListFirstPaint"),
    Figure("List 1,000,000 rows, page scroll",
           "the same lists scrolled one page down (back to the top at the end) and repainted, "
           "every page showing texts not drawn before (WM_VSCROLL with SB_PAGEDOWN; the vertical "
           "scroll bar's value moved by its page step). Ours draws five texts a row here too; "
           "with one column, as Qt's, it is bench_listview/ListOwnerDataPageScrollOneColumn",
           ("bench_listview", "ListOwnerDataPageScroll"), "QtListPageScroll"),
    Figure("Tree 100,000 nodes, insert",
           "1,000 nodes of 99 children (\"Node 12\", \"Node 12.7\") made, added and the first "
           "page painted (SysTreeView32, one TVM_INSERTITEMW a node; QTreeWidget, its items added "
           "in one addTopLevelItems). Through ucTreeView's AddNode, with keys and column texts, "
           "it is bench_treeview_control/TreeControlAddNodes100k",
           ("bench_treeview", "TreeInsert100k"), "QtTreeInsert"),
    Figure("Tree 100,000 nodes, expand all", "every node expanded and the tree repainted",
           ("bench_treeview", "TreeExpandAllAndPaint"), "QtTreeExpandAllRender"),
    Figure("Text box 1 MB, set and paint",
           "1,000,000 characters (20,000 lines) set and the first page painted (ucText, "
           "multi-line with a vertical bar; QPlainTextEdit)",
           ("bench_edit", "TextBoxSetMegabyteAndPaint"), "QtPlainTextSetAndPaint"),
    Figure("Text box 1 MB, keystroke",
           "one key typed (or Backspace) in the middle of the text, repainted",
           ("bench_edit", "TextBoxKeystrokeInMiddle"), "QtPlainTextKeystroke"),
    Figure("Memory per button",
           "heap bytes for each of 1,000 more buttons shown on a form of 1,000",
           ("bench_button", "MemoryPerButton"), "QtMemoryPerButton", "heap_bytes_per_button"),
]

NANOSECONDS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def name_filter(names):
    """A --benchmark_filter that matches exactly these benchmarks (and their arguments, such as
    "/iterations:1")."""
    return "^(" + "|".join(re.escape(n) for n in sorted(set(names))) + ")(/.*)?$"


def base_name(entry):
    """A benchmark's name without its arguments."""
    return entry.get("run_name", entry["name"]).split("/")[0]


def run_benchmarks(program, names, env=None):
    """Runs the named benchmarks of one program; returns Google Benchmark's JSON."""
    command = [program, "--benchmark_format=json", "--benchmark_filter=" + name_filter(names)]
    done = subprocess.run(command, capture_output=True, text=True, env=env)
    if done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (os.path.basename(program), done.returncode,
                                                    done.stderr.strip()[-2000:]))
    return json.loads(done.stdout)


def value_of(entry, counter=None):
    """A benchmark's figure: its CPU time per iteration in nanoseconds, or the counter; None
    when the benchmark reported an error."""
    if entry.get("error_occurred"):
        return None
    if counter:
        return float(entry[counter]) if counter in entry else None
    return float(entry["cpu_time"]) * NANOSECONDS[entry.get("time_unit", "ns")]


def figures_of(output, figures, side):
    """{figure title: value} for one side ("ours" or "qt") from one program's output."""
    entries = {base_name(e): e for e in output.get("benchmarks", [])
               if e.get("run_type", "iteration") == "iteration"}
    found = {}
    for f in figures:
        name = f.qt if side == "qt" else (f.ours[1] if f.ours else None)
        if name in entries:
            found[f.title] = value_of(entries[name], f.counter)
    return found


def side_order(round_index):
    """Which side runs first in a round: they take turns."""
    return ("ours", "qt") if round_index % 2 == 0 else ("qt", "ours")


def median(values):
    """The median of the values measured (None, an error, is left out); None if there are none."""
    measured = [v for v in values if v is not None]
    return statistics.median(measured) if measured else None


def format_time(ns):
    for unit, size in (("s", 1e9), ("ms", 1e6), ("µs", 1e3)):
        if ns >= size:
            return "%s %s" % (significant(ns / size), unit)
    return "%s ns" % significant(ns)


def format_bytes(count):
    if count >= 10 * 1024:
        return "%s KiB" % significant(count / 1024)
    return "{:,.0f} B".format(count)


def significant(x):
    """Three significant figures, without exponent."""
    if x >= 100:
        return "%.0f" % x
    if x >= 10:
        return "%.1f" % x
    return "%.2f" % x


def format_value(figure, value):
    if value is None:
        return "—"
    return format_bytes(value) if figure.counter else format_time(value)


def ratio(ours, qt):
    if ours is None or qt is None or qt <= 0:
        return None
    return ours / qt


def table_rows(figures, medians):
    """[figure, ours, Qt, ours/Qt] as text; medians is {(title, side): value}."""
    rows = []
    for f in figures:
        ours = medians.get((f.title, "ours"))
        qt = medians.get((f.title, "qt"))
        r = ratio(ours, qt)
        rows.append([f.title, format_value(f, ours) if f.ours else "— (not yet built)",
                     format_value(f, qt), "%.2f×" % r if r is not None else "—"])
    return rows


HEADER = ["Figure", "Orvane", "Qt 5", "Orvane ÷ Qt"]


def text_table(rows):
    widths = [max(len(r[i]) for r in [HEADER] + rows) for i in range(len(HEADER))]
    lines = []
    for n, r in enumerate([HEADER] + rows):
        cells = [r[0].ljust(widths[0])] + [r[i].rjust(widths[i]) for i in range(1, len(r))]
        lines.append("  ".join(cells))
        if n == 0:
            lines.append("  ".join("-" * w for w in widths))
    return "\n".join(lines)


def markdown_table(rows):
    lines = ["| " + " | ".join(HEADER) + " |", "| --- | ---: | ---: | ---: |"]
    for r in rows:
        lines.append("| " + " | ".join(r) + " |")
    return "\n".join(lines)


def rounds_table(figures, values):
    """Every round's value of each figure, in the order of the rounds; values is
    {(title, side): [value per round]}."""
    lines = ["| Figure | Orvane, each round | Qt 5, each round |", "| --- | ---: | ---: |"]
    for f in figures:
        cells = []
        for side in ("ours", "qt"):
            measured = values.get((f.title, side))
            cells.append(", ".join(format_value(f, v) if v is not None else "error"
                                   for v in measured) if measured else "—")
        lines.append("| %s | %s | %s |" % (f.title, cells[0], cells[1]))
    return "\n".join(lines)


def ratios_tsv(figures, medians):
    """The chart's input: one line a figure, its ratio or "-" when we do not have it."""
    lines = []
    for f in figures:
        r = ratio(medians.get((f.title, "ours")), medians.get((f.title, "qt")))
        lines.append("%s\t%s" % (f.title, "%.6g" % r if r is not None else "-"))
    return "\n".join(lines) + "\n"


def cpu_model(cpuinfo="/proc/cpuinfo"):
    try:
        with open(cpuinfo, encoding="utf-8") as f:
            for line in f:
                if line.lower().startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown"


def compiler_of(build_dir):
    """The C++ compiler a CMake build directory was configured with, and its version."""
    try:
        with open(os.path.join(build_dir, "CMakeCache.txt"), encoding="utf-8") as f:
            cache = f.read()
    except OSError:
        return "unknown"
    found = re.search(r"^CMAKE_CXX_COMPILER:\w+=(.+)$", cache, re.M)
    if not found:
        return "unknown"
    try:
        out = subprocess.run([found.group(1), "--version"], capture_output=True, text=True)
        return out.stdout.splitlines()[0].strip()
    except (OSError, IndexError):
        return found.group(1)


def git_revision(root):
    def git(*args):
        return subprocess.run(["git", "-C", root] + list(args), capture_output=True,
                              text=True).stdout.strip()
    revision = git("rev-parse", "--short", "HEAD") or "unknown"
    return revision + (" (with local changes)" if git("status", "--porcelain", "--untracked-files=no") else "")


def document(rows, figures, values, info, chart_path):
    """docs/performance.md."""
    work = "\n".join("- **%s**: %s. Ours: %s; Qt: `%s`." % (
        f.title, f.work, "`%s/%s`" % f.ours if f.ours else "not yet built", f.qt)
        for f in figures)
    return """# Performance against Qt 5 Widgets

`./run peers` measures the same work with Orvane and with Qt 5 Widgets, its peer on this
platform, and writes this page. Each figure is the median over {rounds} rounds in which our
benchmarks and Qt's run in turn (the side that starts alternates), so that a slow phase of the
machine falls on both. A time is the CPU time of one iteration (Google Benchmark's `cpu_time`);
a memory figure is the growth of the heap in use (`mallinfo2`). The ratio is ours divided by
Qt's: below 1× Orvane is faster or smaller. "—" marks a figure whose control Orvane does not
have yet; Qt's is measured all the same.

{table}

![Orvane ÷ Qt 5 for each figure, on a logarithmic axis](images/{chart})

Both sides draw in software, headless, with DejaVu Sans 9 pt at 96 DPI (12 pixels) and
greyscale anti-aliasing, from the same fonts (`tests/fonts/fonts.conf`). Qt runs on its
`offscreen` platform with the Fusion style. Our benchmarks are in `bench/`, Qt's in
`bench/peers/qt/`, and the gallery's Qt form is built from the same form file with Qt's
nearest widgets (labels, rich-text labels, push buttons, check boxes, radio buttons, group
boxes).

## What each figure does

{work}

## Machine and versions

- CPU: {cpu}, {cores} cores
- Qt {qt} ({qt_platform} platform, {qt_style} style, font {qt_font})
- Compiler: {compiler}
- Orvane: git {revision}
- Measured {date}; the run took {minutes:.1f} minutes.

Timings on this machine vary from phase to phase (by up to about 1.6×); compare ratios rather
than single times, and figures from one run rather than across runs. Each round's values:

{rounds_table}
""".format(rounds=info["rounds"], table=markdown_table(rows),
           rounds_table=rounds_table(figures, values), chart=os.path.basename(chart_path),
           work=work, cpu=info["cpu"], cores=info["cores"], qt=info["qt"],
           qt_platform=info["qt_platform"], qt_style=info["qt_style"], qt_font=info["qt_font"],
           compiler=info["compiler"], revision=info["revision"], date=info["date"],
           minutes=info["seconds"] / 60)


def measure(figures, ours_dir, qt_program, rounds, env, log=sys.stderr):
    """Runs every round; returns ({(title, side): [value per round]}, the Qt program's context)."""
    values = {}
    context = {}
    ours_programs = {}
    for f in figures:
        if f.ours:
            ours_programs.setdefault(f.ours[0], []).append(f.ours[1])
    for r in range(rounds):
        for side in side_order(r):
            print("round %d of %d: %s" % (r + 1, rounds, "Orvane" if side == "ours" else "Qt"),
                  file=log, flush=True)
            if side == "ours":
                outputs = [run_benchmarks(os.path.join(ours_dir, program), names, env)
                           for program, names in sorted(ours_programs.items())]
            else:
                outputs = [run_benchmarks(qt_program, [f.qt for f in figures], env)]
                context = outputs[0].get("context", {})
            for output in outputs:
                for title, value in figures_of(output, figures, side).items():
                    values.setdefault((title, side), []).append(value)
    return values, context


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--root", default=".", help="the repository")
    parser.add_argument("--ours", default="build/default/bench", help="our benchmark programs")
    parser.add_argument("--qt", default="build/peers-qt/bench_qt", help="the Qt peer's program")
    parser.add_argument("--chart", default="build/default/bench/peers-chart",
                        help="the chart program")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--doc", default="docs/performance.md")
    parser.add_argument("--png", default="docs/images/peers.png")
    args = parser.parse_args(argv)
    if args.rounds < 1:
        parser.error("--rounds must be at least 1")

    started = time.monotonic()
    # Taken before the run writes the page and its chart, which would count as local changes.
    revision = git_revision(args.root)
    env = dict(os.environ)
    env["FONTCONFIG_FILE"] = os.path.abspath(os.path.join(args.root, "tests/fonts/fonts.conf"))
    values, context = measure(FIGURES, args.ours, args.qt, args.rounds, env)
    medians = {key: median(v) for key, v in values.items()}
    rows = table_rows(FIGURES, medians)
    print(text_table(rows))

    tsv = os.path.join(os.path.dirname(args.qt) or ".", "peers-ratios.tsv")
    with open(tsv, "w", encoding="utf-8") as f:
        f.write(ratios_tsv(FIGURES, medians))
    os.makedirs(os.path.dirname(args.png) or ".", exist_ok=True)
    subprocess.run([args.chart, tsv, args.png], check=True)

    info = {
        "rounds": args.rounds,
        "cpu": cpu_model(),
        "cores": os.cpu_count(),
        "qt": context.get("qt_version", "unknown"),
        "qt_platform": context.get("qt_platform", "unknown"),
        "qt_style": context.get("qt_style", "unknown"),
        "qt_font": context.get("qt_font", "unknown"),
        "compiler": compiler_of(os.path.join(os.path.dirname(args.ours.rstrip("/")))),
        "revision": revision,
        "date": datetime.date.today().isoformat(),
        "seconds": time.monotonic() - started,
    }
    with open(args.doc, "w", encoding="utf-8") as f:
        f.write(document(rows, FIGURES, values, info, args.png))
    print("wrote %s and %s (%.0f s)" % (args.doc, args.png, info["seconds"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
