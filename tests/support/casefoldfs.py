#!/usr/bin/env python3
"""A pass-through file system that compares names as exFAT, NTFS and APFS do by default:
letter case is kept but ignored. Tests mount it to check that the program decides what a
name means by asking the file system, not by spelling.

    casefoldfs.py BACKING_FOLDER MOUNT_POINT      (stays in the foreground; unmount to end)
"""
import errno
import os
import sys

from fusepy import FUSE, FuseOSError, Operations


def _os(function, *args):
    try:
        return function(*args)
    except OSError as error:
        raise FuseOSError(error.errno)


class CaseFold(Operations):
    def __init__(self, root):
        self.root = os.path.realpath(root)

    def _real(self, path):
        """The backing path, each name matched without regard to letter case."""
        current = self.root
        for part in [p for p in path.split('/') if p]:
            candidate = os.path.join(current, part)
            if not os.path.lexists(candidate) and os.path.isdir(current):
                candidate = next((os.path.join(current, entry) for entry in os.listdir(current)
                                  if entry.lower() == part.lower()), candidate)
            current = candidate
        return current

    def getattr(self, path, fh=None):
        st = _os(os.lstat, self._real(path))
        return {key: getattr(st, key) for key in (
            'st_mode', 'st_nlink', 'st_uid', 'st_gid', 'st_size', 'st_atime', 'st_mtime', 'st_ctime', 'st_ino')}

    def readdir(self, path, fh):
        return ['.', '..'] + _os(os.listdir, self._real(path))

    def access(self, path, mode):
        if not os.access(self._real(path), mode):
            raise FuseOSError(errno.EACCES)

    def symlink(self, target, source):
        return _os(os.symlink, source, self._real(target))

    def link(self, target, source):
        return _os(os.link, self._real(source), self._real(target))

    def rename(self, old, new):
        return _os(os.rename, self._real(old), self._real(new))

    def truncate(self, path, length, fh=None):
        return _os(os.truncate, self._real(path), length)

    def create(self, path, mode, fi=None):
        return _os(os.open, self._real(path), os.O_WRONLY | os.O_CREAT | os.O_EXCL, mode)

    def read(self, path, size, offset, fh):
        return _os(os.pread, fh, size, offset)

    def write(self, path, data, offset, fh):
        return _os(os.pwrite, fh, data, offset)

    def fsync(self, path, datasync, fh):
        return _os(os.fsync, fh)

    def release(self, path, fh):
        return _os(os.close, fh)

    def statfs(self, path):
        st = os.statvfs(self._real(path))
        return {key: getattr(st, key) for key in (
            'f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail', 'f_ffree', 'f_files', 'f_flag',
            'f_frsize', 'f_namemax')}


# Operations that take the path first and hand the rest of their arguments on unchanged.
for _name, _function in {'readlink': os.readlink, 'mkdir': os.mkdir, 'rmdir': os.rmdir, 'unlink': os.unlink,
                         'chmod': os.chmod, 'chown': os.lchown, 'utimens': os.utime, 'open': os.open}.items():
    setattr(CaseFold, _name, lambda self, path, *args, _function=_function: _os(_function, self._real(path), *args))

if __name__ == '__main__':
    FUSE(CaseFold(sys.argv[1]), sys.argv[2], foreground=True, nothreads=True, use_ino=True, default_permissions=True)
