#!/usr/bin/env python3
"""The peer benchmark's report (scripts/peers.py): figures read from Google Benchmark's output,
medians, ratios, the table and the chart's input, and that every benchmark it names exists."""

import os
import re
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "scripts"))

import peers  # noqa: E402

TIME = peers.Figure("Paragraph", "draws", ("bench_text", "BM_DrawTextLatin"), "QtDrawTextLatin")
MEMORY = peers.Figure("Memory", "bytes", ("bench_button", "MemoryPerButton"), "QtMemoryPerButton",
                      "heap_bytes_per_button")
NOT_BUILT = peers.Figure("List", "scrolls", None, "QtListPageScroll")


def output(*entries):
    return {"context": {"qt_version": "5.15.8"}, "benchmarks": list(entries)}


class FiguresTest(unittest.TestCase):
    def test_times_are_cpu_time_in_nanoseconds_whatever_the_unit(self):
        for unit, expected in (("ns", 2.5), ("us", 2500.0), ("ms", 2.5e6), ("s", 2.5e9)):
            entry = {"name": "QtDrawTextLatin", "cpu_time": 2.5, "real_time": 9.0,
                     "time_unit": unit}
            self.assertEqual(peers.value_of(entry), expected, unit)

    def test_a_counter_figure_takes_the_counter(self):
        entry = {"name": "MemoryPerButton", "cpu_time": 40.0, "time_unit": "ms",
                 "heap_bytes_per_button": 1234.5}
        self.assertEqual(peers.value_of(entry, "heap_bytes_per_button"), 1234.5)

    def test_a_benchmark_that_failed_gives_no_figure(self):
        entry = {"name": "QtDrawTextLatin", "error_occurred": True, "error_message": "x",
                 "cpu_time": 0, "time_unit": "ms"}
        self.assertIsNone(peers.value_of(entry))

    def test_each_side_reads_its_own_benchmarks_and_skips_aggregates(self):
        out = output(
            {"name": "BM_DrawTextLatin", "run_type": "iteration", "cpu_time": 3.0,
             "time_unit": "ms"},
            {"name": "BM_DrawTextLatin_mean", "run_type": "aggregate", "cpu_time": 99.0,
             "time_unit": "ms"},
            {"name": "QtDrawTextLatin", "run_type": "iteration", "cpu_time": 6.0,
             "time_unit": "ms"},
            {"name": "QtMemoryPerButton/iterations:1", "run_name": "QtMemoryPerButton/iterations:1",
             "run_type": "iteration", "cpu_time": 1.0, "time_unit": "ms",
             "heap_bytes_per_button": 900.0})
        self.assertEqual(peers.figures_of(out, [TIME, NOT_BUILT], "ours"), {"Paragraph": 3e6})
        self.assertEqual(peers.figures_of(out, [TIME, MEMORY, NOT_BUILT], "qt"),
                         {"Paragraph": 6e6, "Memory": 900.0})

    def test_the_filter_matches_exactly_the_names(self):
        pattern = re.compile(peers.name_filter(["QtListPageScroll", "QtTreeInsert"]))
        self.assertTrue(pattern.search("QtTreeInsert"))
        self.assertTrue(pattern.search("QtTreeInsert/iterations:1"))
        self.assertFalse(pattern.search("QtTreeInsertMore"))
        self.assertFalse(pattern.search("XQtListPageScroll"))


class ProgramTest(unittest.TestCase):
    def program(self, body):
        f = tempfile.NamedTemporaryFile("w", suffix=".sh", delete=False)
        f.write("#!/bin/sh\n" + body + "\n")
        f.close()
        os.chmod(f.name, 0o755)
        self.addCleanup(os.unlink, f.name)
        return f.name

    def test_a_program_is_asked_for_json_and_only_the_named_benchmarks(self):
        # The stand-in prints its arguments back as the benchmarks' names.
        program = self.program(
            'printf \'{"benchmarks": [{"name": "%s"}, {"name": "%s"}]}\' "$1" "$2"')
        out = peers.run_benchmarks(program, ["B", "A"])
        self.assertEqual([e["name"] for e in out["benchmarks"]],
                         ["--benchmark_format=json", "--benchmark_filter=^(A|B)(/.*)?$"])

    def test_a_program_that_fails_stops_the_run_with_its_message(self):
        program = self.program("echo 'no such font' >&2; exit 3")
        with self.assertRaisesRegex(RuntimeError, "failed \\(3\\): no such font"):
            peers.run_benchmarks(program, ["A"])


class RoundsTest(unittest.TestCase):
    def test_the_sides_take_turns_starting(self):
        self.assertEqual([peers.side_order(r)[0] for r in range(4)],
                         ["ours", "qt", "ours", "qt"])
        for r in range(4):
            self.assertEqual(sorted(peers.side_order(r)), ["ours", "qt"])

    def test_the_median_leaves_failed_rounds_out(self):
        self.assertEqual(peers.median([5.0, 1.0, 3.0]), 3.0)
        self.assertEqual(peers.median([4.0, None, 2.0]), 3.0)
        self.assertIsNone(peers.median([None, None]))

    def test_measure_runs_both_sides_each_round_and_keeps_every_value(self):
        calls = []

        def fake(program, names, env=None):
            calls.append(os.path.basename(program))
            n = len(calls)
            if program.endswith("bench_qt"):
                return output({"name": "QtDrawTextLatin", "cpu_time": float(n), "time_unit": "ms"})
            return output({"name": "BM_DrawTextLatin", "cpu_time": float(n), "time_unit": "ms"})

        saved = peers.run_benchmarks
        peers.run_benchmarks = fake
        try:
            with open(os.devnull, "w") as log:
                values, context = peers.measure([TIME], "bench", "qt/bench_qt", 3, None, log)
        finally:
            peers.run_benchmarks = saved
        self.assertEqual(calls, ["bench_text", "bench_qt", "bench_qt", "bench_text",
                                 "bench_text", "bench_qt"])
        self.assertEqual(values[("Paragraph", "ours")], [1e6, 4e6, 5e6])
        self.assertEqual(values[("Paragraph", "qt")], [2e6, 3e6, 6e6])
        self.assertEqual(context["qt_version"], "5.15.8")


class TableTest(unittest.TestCase):
    def test_values_read_in_their_units(self):
        self.assertEqual(peers.format_time(850), "850 ns")
        self.assertEqual(peers.format_time(12_340), "12.3 µs")
        self.assertEqual(peers.format_time(4_560_000), "4.56 ms")
        self.assertEqual(peers.format_time(1_500_000_000), "1.50 s")
        self.assertEqual(peers.format_bytes(1234.4), "1,234 B")
        self.assertEqual(peers.format_bytes(20480), "20.0 KiB")

    def test_rows_give_both_sides_and_the_ratio(self):
        medians = {("Paragraph", "ours"): 2e6, ("Paragraph", "qt"): 8e6,
                   ("Memory", "ours"): 3000.0, ("Memory", "qt"): 1500.0,
                   ("List", "qt"): 250_000.0}
        rows = peers.table_rows([TIME, MEMORY, NOT_BUILT], medians)
        self.assertEqual(rows[0], ["Paragraph", "2.00 ms", "8.00 ms", "0.25×"])
        self.assertEqual(rows[1], ["Memory", "3,000 B", "1,500 B", "2.00×"])
        self.assertEqual(rows[2], ["List", "— (not yet built)", "250 µs", "—"])

    def test_a_side_with_no_figure_has_no_ratio(self):
        rows = peers.table_rows([TIME], {("Paragraph", "ours"): 2e6})
        self.assertEqual(rows[0], ["Paragraph", "2.00 ms", "—", "—"])

    def test_tables_hold_every_row(self):
        rows = [["Paragraph", "2.00 ms", "8.00 ms", "0.25×"], ["List", "—", "1 ms", "—"]]
        text = peers.text_table(rows).splitlines()
        self.assertEqual(len(text), 4)
        self.assertTrue(text[2].startswith("Paragraph "))
        self.assertTrue(text[2].endswith("0.25×"))
        markdown = peers.markdown_table(rows).splitlines()
        self.assertEqual(markdown[2], "| Paragraph | 2.00 ms | 8.00 ms | 0.25× |")
        self.assertEqual(len(markdown), 4)

    def test_the_chart_gets_every_figure_in_order(self):
        medians = {("Paragraph", "ours"): 1.0, ("Paragraph", "qt"): 4.0, ("List", "qt"): 1.0}
        self.assertEqual(peers.ratios_tsv([TIME, NOT_BUILT], medians),
                         "Paragraph\t0.25\nList\t-\n")

    def test_the_page_names_the_machine_the_versions_and_each_figure(self):
        rows = peers.table_rows([TIME, NOT_BUILT], {("Paragraph", "ours"): 1e6,
                                                    ("Paragraph", "qt"): 2e6})
        info = {"rounds": 3, "cpu": "Some CPU", "cores": 2, "qt": "5.15.8",
                "qt_platform": "offscreen", "qt_style": "fusion", "qt_font": "DejaVu Sans 12 px",
                "compiler": "g++ 12", "revision": "abc1234", "date": "2024-01-01",
                "seconds": 150}
        values = {("Paragraph", "ours"): [1e6, 1.5e6, None], ("Paragraph", "qt"): [2e6, 3e6, 2e6],
                  ("List", "qt"): [5e5, 6e5, 7e5]}
        page = peers.document(rows, [TIME, NOT_BUILT], values, info, "docs/images/peers.png")
        for text in ("| Paragraph | 1.00 ms, 1.50 ms, error | 2.00 ms, 3.00 ms, 2.00 ms |",
                     "| List | — | 500 µs, 600 µs, 700 µs |","Some CPU, 2 cores", "Qt 5.15.8", "g++ 12", "git abc1234", "2.5 minutes",
                     "images/peers.png", "| Paragraph | 1.00 ms | 2.00 ms | 0.50× |",
                     "`bench_text/BM_DrawTextLatin`", "`QtListPageScroll`", "median over 3"):
            self.assertIn(text, page)

    def test_the_cpu_model_comes_from_cpuinfo(self):
        with tempfile.NamedTemporaryFile("w", suffix="cpuinfo", delete=False) as f:
            f.write("processor\t: 0\nvendor_id\t: X\nmodel name\t: Test CPU 3000\n")
        try:
            self.assertEqual(peers.cpu_model(f.name), "Test CPU 3000")
        finally:
            os.unlink(f.name)


class SourcesTest(unittest.TestCase):
    """Every benchmark the report asks for is defined, on our side and on Qt's."""

    @staticmethod
    def defined(paths):
        names = set()
        for path in paths:
            with open(path, encoding="utf-8") as f:
                names.update(re.findall(r"^BENCHMARK\((\w+)\)", f.read(), re.M))
        return names

    def test_our_benchmarks_exist(self):
        for f in peers.FIGURES:
            if f.ours:
                program, name = f.ours
                self.assertIn(name, self.defined([os.path.join(ROOT, "bench", program + ".cpp")]),
                              f.title)

    def test_the_qt_benchmarks_exist(self):
        folder = os.path.join(ROOT, "bench", "peers", "qt")
        names = self.defined([os.path.join(folder, n) for n in os.listdir(folder)
                              if n.endswith(".cpp")])
        for f in peers.FIGURES:
            self.assertIn(f.qt, names, f.title)
        self.assertEqual(len({f.qt for f in peers.FIGURES}), len(peers.FIGURES))


if __name__ == "__main__":
    unittest.main()
