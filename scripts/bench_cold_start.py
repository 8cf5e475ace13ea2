#!/usr/bin/env python3
"""What a start from a disc costs: bytes read and time to the first frame.

Usage: bench_cold_start.py BUNDLE DISC HELPERS [RUNS]
BUNDLE is an unpacked bundle (bin/vitrina, lib/, plugins/), DISC a disc folder,
HELPERS the folder where tools/bench/cold_start was built against the bundle's Qt.
On a private X server (Xvfb):
  cold: every file of BUNDLE and DISC is dropped from the page cache, the launcher
    starts in DISC and ends once its first frames are painted; what is then cached of
    those files is what the start read. The same for a bare 800x600 Qt Widgets window
    through the bundle's libraries and plugins.
  warm: both started RUNS times each, interleaved; the medians of the time from
    process start to the end of the first frame that shows the catalogue (the
    launcher paints its window once before it reads it).
"""
import ctypes
import ctypes.util
import mmap
import os
import statistics
import subprocess
import sys
import tempfile
import time

MB = 1e6
libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.mmap.restype = ctypes.c_void_p
libc.mmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_long]
libc.munmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t]
libc.mincore.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_char_p]
PAGE = mmap.PAGESIZE


def files_under(*folders):
    for folder in folders:
        for top, _, names in os.walk(folder):
            for name in names:
                path = os.path.join(top, name)
                if os.path.isfile(path) and not os.path.islink(path):
                    yield path


def evict(paths):
    os.sync()  # pages not yet written back cannot be dropped
    for path in paths:
        fd = os.open(path, os.O_RDONLY)
        try:
            os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED)
        finally:
            os.close(fd)


def resident_bytes(path):
    size = os.path.getsize(path)
    if size == 0:
        return 0
    fd = os.open(path, os.O_RDONLY)
    try:
        address = libc.mmap(None, size, mmap.PROT_READ, mmap.MAP_SHARED, fd, 0)
        if address in (None, ctypes.c_void_p(-1).value):
            raise OSError(ctypes.get_errno(), "mmap " + path)
        try:
            pages = (size + PAGE - 1) // PAGE
            vector = ctypes.create_string_buffer(pages)
            if libc.mincore(address, size, vector) != 0:
                raise OSError(ctypes.get_errno(), "mincore " + path)
            resident = sum(1 for b in vector.raw if b & 1)
        finally:
            libc.munmap(address, size)
    finally:
        os.close(fd)
    return min(size, resident * PAGE)


def start_display():
    read, write = os.pipe()
    # -noreset: a desktop's X server outlives the programs it shows; one that resets
    # whenever its last client leaves makes every start wait for it, some 15 ms.
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                               "-noreset"],
                              pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            sys.exit("bench-cold-start: Xvfb did not start")
        number += chunk
    os.close(read)
    return server, ":" + number.decode().strip()


def run(command, cwd, env):
    """Seconds from the start of the process to the end of the last paint of its start."""
    start = time.monotonic_ns()
    result = subprocess.run(command, cwd=cwd, env=env, capture_output=True, timeout=120)
    if result.returncode != 0 or not result.stdout.strip():
        sys.exit("bench-cold-start: %s failed (%d): %s" % (command[0], result.returncode, result.stderr.decode()[-2000:]))
    return (int(result.stdout.split()[-1]) - start) / 1e9


def cold(command, cwd, env, watched, roots):
    evict(watched)
    left = sum(resident_bytes(p) for p in watched)
    run(command, cwd, env)
    per_file = {}
    for path in watched:
        size = resident_bytes(path)
        if size:
            name, root = next((n, r) for n, r in roots.items() if path.startswith(r + os.sep))
            per_file[name + "/" + os.path.relpath(path, root)] = size
    return sum(per_file.values()), left, per_file


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    bundle, disc, helpers = (os.path.abspath(a) for a in sys.argv[1:4])
    runs = int(sys.argv[4]) if len(sys.argv) == 5 else 9
    launcher = os.path.join(bundle, "bin", "vitrina")

    # The bare window sits in a folder of its own beside a qt.conf naming the bundle,
    # so Qt takes its plugins from the bundle exactly as the launcher does.
    scratch = tempfile.mkdtemp(prefix="vitrina-cold-start-")
    bare = os.path.join(scratch, "bare-window")
    with open(os.path.join(helpers, "bare-window"), "rb") as source, open(bare, "wb") as copy:
        copy.write(source.read())
    os.chmod(bare, 0o755)
    with open(os.path.join(scratch, "qt.conf"), "w") as conf:
        conf.write("[Paths]\nPrefix = %s\nPlugins = plugins\n" % bundle)

    server, display = start_display()
    try:
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "LD_"))}
        env.update(DISPLAY=display, LD_LIBRARY_PATH=os.path.join(bundle, "lib"),
                   LD_PRELOAD=os.path.join(helpers, "libexit-after-first-frame.so"))
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        watched = list(files_under(bundle, disc))
        for _ in range(2):  # the X server and the system's own libraries settle first
            run([bare], disc, env)
            run([launcher], disc, env)

        roots = {"bundle": bundle, "disc": disc}
        launcher_bytes, launcher_left, launcher_files = cold([launcher], disc, env, watched, roots)
        bare_bytes, bare_left, _ = cold([bare], disc, env, watched, roots)

        launcher_times, bare_times = [], []
        for _ in range(runs):
            bare_times.append(run([bare], disc, env))
            launcher_times.append(run([launcher], disc, env))
    finally:
        server.terminate()
        server.wait()
        for name in os.listdir(scratch):
            os.remove(os.path.join(scratch, name))
        os.rmdir(scratch)

    print("cold start, bytes of the bundle and the disc in the page cache at the first frame:")
    print("  launcher on the disc:  %6.1f MB" % (launcher_bytes / MB))
    print("  bare 800x600 window:   %6.1f MB   (same libraries and plugins)" % (bare_bytes / MB))
    if launcher_left or bare_left:
        print("  (%.1f MB stayed cached through the eviction: other processes hold them)"
              % (max(launcher_left, bare_left) / MB))
    print("  launcher, by file:")
    for path, size in sorted(launcher_files.items(), key=lambda item: -item[1]):
        if size >= 0.05 * MB:
            print("    %6.2f MB  %s" % (size / MB, path))
    rest = sum(size for size in launcher_files.values() if size < 0.05 * MB)
    print("    %6.2f MB  %d other files" % (rest / MB, sum(1 for s in launcher_files.values() if s < 0.05 * MB)))
    launcher_ms = statistics.median(launcher_times) * 1000
    bare_ms = statistics.median(bare_times) * 1000
    print("warm start to the first frame, median of %d runs each:" % runs)
    print("  launcher on the disc:  %6.1f ms" % launcher_ms)
    print("  bare 800x600 window:   %6.1f ms" % bare_ms)
    print("  ratio:                 %6.2fx" % (launcher_ms / bare_ms))


if __name__ == "__main__":
    main()
