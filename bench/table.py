"""Prints the table of bench/run from Google Benchmark's JSON output: each
figure beside its peer or target and the ratio between them (above 1 is
better than the peer or within the target)."""
import json
import sys

TARGET = "target"


def load(path):
    with open(path) as f:
        data = json.load(f)
    figures = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name", "median") != "median" or b.get("error_occurred"):
            continue
        name = b["run_name"]
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        runs = b.get("repetitions", 1)
        figures[name] = {"ms": b["real_time"] * scale, "mbs": b.get("bytes_per_second", 0) / 1e6}
    return data["context"], figures, runs


def main():
    context, f, runs = load(sys.argv[1])
    rows = []

    def throughput(label, ours, peer, peer_name, goal):
        if ours in f and peer in f:
            a, b = f[ours]["mbs"], f[peer]["mbs"]
            rows.append((label, f"{a:.0f} MB/s", f"{peer_name} {b:.0f} MB/s", f"{a / b:.2f}", goal))

    def against_peer(label, ours, peer, peer_name, goal):
        if ours in f and peer in f:
            a, b = f[ours]["ms"], f[peer]["ms"]
            rows.append((label, f"{a:.2f} ms", f"{peer_name} {b:.2f} ms", f"{b / a:.2f}", goal))

    def against_target(label, name, limit_ms, unit="ms"):
        if name not in f:
            rows.append((label, "n/a", "", "", ""))
            return
        a = f[name]["ms"]
        shown = f"{a * 1000:.0f} us" if unit == "us" else f"{a:.2f} ms"
        limit = f"{limit_ms * 1000:.0f} us" if unit == "us" else f"{limit_ms:g} ms"
        rows.append((label, shown, f"{TARGET} {limit}", f"{limit_ms / a:.2f}", ">= 1"))

    throughput("XML read (speed ratio)", "XMLRead_Ravlin", "XMLRead_Pugixml", "pugixml", ">= 0.6")
    throughput("XML read (speed ratio)", "XMLRead_Ravlin", "XMLRead_Libxml2", "libxml2", "> 1")
    against_peer("XML write (speed ratio)", "XMLWrite_Ravlin", "XMLWrite_Pugixml", "pugixml", ">= 0.5")
    for arg, what, limit in ((0, "largest", 5.0), (1, "typical", 1.0)):
        against_target(f"open {what} (XML)", f"LayoutOpenXML/{arg}", limit)
        against_target(f"save {what} (XML)", f"LayoutSaveXML/{arg}", limit)
    for form in ("bin", "bin29", "bin28", "bin13"):
        for arg, what in ((0, "largest"), (1, "typical")):
            against_target(f"image {form} encode+decode {what}", f"DeviceImage/{form}/{arg}", 0.1, "us")
    against_target("clipboard round trip, largest", "ClipboardRoundTrip", 15.0)

    widths = [max(len(r[i]) for r in rows + [("figure", "ours", "peer or target", "ratio", "goal")])
              for i in range(5)]
    header = ("figure", "ours", "peer or target", "ratio", "goal")
    for r in [header] + rows:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
    print(f"\n{context['num_cpus']} x {context['mhz_per_cpu']} MHz, median of "
          f"{runs} runs; ratio above 1 is faster than the peer or within the target")


main()
