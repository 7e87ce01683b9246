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


class CaseFold(Operations):
    def __init__(self, root):
        self.root = os.path.realpath(root)

    def _real(self, path):
        """The backing path, each name matched without regard to letter case."""
        current = self.root
        for part in [p for p in path.split('/') if p]:
            candidate = os.path.join(current, part)
            if not os.path.lexists(candidate) and os.path.isdir(current):
                for entry in os.listdir(current):
                    if entry.lower() == part.lower():
                        candidate = os.path.join(current, entry)
                        break
            current = candidate
        return current

    def _call(self, function, *args):
        try:
            return function(*args)
        except OSError as error:
            raise FuseOSError(error.errno)

    def getattr(self, path, fh=None):
        st = self._call(os.lstat, self._real(path))
        return {key: getattr(st, key) for key in (
            'st_mode', 'st_nlink', 'st_uid', 'st_gid', 'st_size', 'st_atime', 'st_mtime', 'st_ctime', 'st_ino')}

    def readdir(self, path, fh):
        return ['.', '..'] + self._call(os.listdir, self._real(path))

    def readlink(self, path):
        return self._call(os.readlink, self._real(path))

    def access(self, path, mode):
        if not os.access(self._real(path), mode):
            raise FuseOSError(errno.EACCES)

    def mkdir(self, path, mode):
        return self._call(os.mkdir, self._real(path), mode)

    def rmdir(self, path):
        return self._call(os.rmdir, self._real(path))

    def unlink(self, path):
        return self._call(os.unlink, self._real(path))

    def symlink(self, target, source):
        return self._call(os.symlink, source, self._real(target))

    def link(self, target, source):
        return self._call(os.link, self._real(source), self._real(target))

    def rename(self, old, new):
        return self._call(os.rename, self._real(old), self._real(new))

    def chmod(self, path, mode):
        return self._call(os.chmod, self._real(path), mode)

    def chown(self, path, uid, gid):
        return self._call(os.lchown, self._real(path), uid, gid)

    def truncate(self, path, length, fh=None):
        return self._call(os.truncate, self._real(path), length)

    def utimens(self, path, times=None):
        return self._call(os.utime, self._real(path), times)

    def open(self, path, flags):
        return self._call(os.open, self._real(path), flags)

    def create(self, path, mode, fi=None):
        return self._call(os.open, self._real(path), os.O_WRONLY | os.O_CREAT | os.O_EXCL, mode)

    def read(self, path, size, offset, fh):
        return self._call(os.pread, fh, size, offset)

    def write(self, path, data, offset, fh):
        return self._call(os.pwrite, fh, data, offset)

    def flush(self, path, fh):
        return 0

    def fsync(self, path, datasync, fh):
        return self._call(os.fsync, fh)

    def release(self, path, fh):
        return self._call(os.close, fh)

    def statfs(self, path):
        st = os.statvfs(self._real(path))
        return {key: getattr(st, key) for key in (
            'f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail', 'f_ffree', 'f_files', 'f_flag',
            'f_frsize', 'f_namemax')}


if __name__ == '__main__':
    FUSE(CaseFold(sys.argv[1]), sys.argv[2], foreground=True, nothreads=True, use_ino=True, default_permissions=True)
