#pragma once
// Forced into every file of the program (see CMakeLists.txt). Paths are UTF-8
// here and reach the system only through the wide calls (common/WidePath.h).
// An ANSI file call would read a UTF-8 path in the system's code page and
// name another file, or none: those calls, and the C library's, do not
// compile in this program. Their headers come first, so the ban applies to
// our code and not to the declarations.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>

#pragma GCC poison CreateFileA GetFileAttributesA GetFileAttributesExA SetFileAttributesA
#pragma GCC poison FindFirstFileA FindFirstFileExA FindNextFileA DeleteFileA CopyFileA
#pragma GCC poison MoveFileA MoveFileExA ReplaceFileA CreateDirectoryA RemoveDirectoryA
#pragma GCC poison GetFullPathNameA GetLongPathNameA GetShortPathNameA GetModuleFileNameA
#pragma GCC poison SetCurrentDirectoryA GetCurrentDirectoryA GetTempPathA GetTempFileNameA
#pragma GCC poison CreateProcessA ShellExecuteExA GetOpenFileNameA ExtractIconExA
#pragma GCC poison GetFileVersionInfoA GetFileVersionInfoSizeA GetPrivateProfileStringA
#pragma GCC poison WritePrivateProfileStringA GetPrivateProfileIntA DragQueryFileA
#pragma GCC poison fopen freopen ifstream ofstream fstream

// The names without A or W mean the ANSI calls in this program.
#undef CreateFile
#undef GetFileAttributes
#undef GetFileAttributesEx
#undef SetFileAttributes
#undef FindFirstFile
#undef FindFirstFileEx
#undef FindNextFile
#undef DeleteFile
#undef CopyFile
#undef MoveFile
#undef MoveFileEx
#undef ReplaceFile
#undef CreateDirectory
#undef RemoveDirectory
#undef GetFullPathName
#undef GetLongPathName
#undef GetShortPathName
#undef GetModuleFileName
#undef SetCurrentDirectory
#undef GetCurrentDirectory
#undef GetTempPath
#undef GetTempFileName
#undef CreateProcess
#undef ShellExecuteEx
#undef GetOpenFileName
#undef ExtractIconEx
#undef GetFileVersionInfo
#undef GetFileVersionInfoSize
#undef GetPrivateProfileString
#undef WritePrivateProfileString
#undef GetPrivateProfileInt
#undef DragQueryFile
#pragma GCC poison CreateFile GetFileAttributes GetFileAttributesEx SetFileAttributes FindFirstFile
#pragma GCC poison FindFirstFileEx FindNextFile DeleteFile CopyFile MoveFile MoveFileEx ReplaceFile
#pragma GCC poison CreateDirectory RemoveDirectory GetFullPathName GetLongPathName GetShortPathName
#pragma GCC poison GetModuleFileName SetCurrentDirectory GetCurrentDirectory GetTempPath
#pragma GCC poison GetTempFileName CreateProcess ShellExecuteEx GetOpenFileName ExtractIconEx
#pragma GCC poison GetFileVersionInfo GetFileVersionInfoSize GetPrivateProfileString
#pragma GCC poison WritePrivateProfileString GetPrivateProfileInt DragQueryFile
