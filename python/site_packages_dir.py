"""Prints where the interpreter looks for packages installed under PREFIX, relative to it.

Debian's interpreter reads /usr/lib/python3/dist-packages for the distribution's packages
and /usr/local/lib/python3.X/dist-packages for local ones; elsewhere the standard layout
of PREFIX applies.
"""
import os
import sys
import sysconfig


def site_packages(prefix):
    schemes = sysconfig.get_scheme_names()
    if prefix == "/usr" and "deb_system" in schemes:
        scheme, base = "deb_system", prefix
    elif prefix == "/usr/local" and "posix_local" in schemes:
        scheme, base = "posix_local", "/usr"
    else:
        scheme, base = "posix_prefix", prefix
    path = sysconfig.get_path("platlib", scheme, vars={"base": base, "platbase": base})
    return os.path.relpath(path, prefix)


if __name__ == "__main__":
    print(site_packages(os.path.normpath(sys.argv[1])))
