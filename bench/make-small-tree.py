#!/usr/bin/env python3
"""Creates COUNT small files of random bytes (1 B to 4 KiB) in 100-file folders under DEST."""
import os
import random
import sys


def main():
    dest, count = sys.argv[1], int(sys.argv[2])
    rng = random.Random(20000)
    for i in range(count):
        folder = os.path.join(dest, "d%03d" % (i // 100))
        if i % 100 == 0:
            os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "f%05d.bin" % i), "wb") as f:
            f.write(rng.randbytes(rng.randint(1, 4096)))


if __name__ == "__main__":
    main()
