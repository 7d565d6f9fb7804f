// Program-wide state: the work folder, the conversion-busy flag and the
// application information read from config.ini.
#pragma once

#include <QString>
#include <atomic>

struct TApplicationInfo {
  QString Homepage;
};

// Absolute, always ending with '/'. Empty until the main window is created.
extern QString WorkFolder;
// True while a conversion job exists.
extern std::atomic<bool> IsConverting;
extern TApplicationInfo AppInfo;

extern const QString DefaultHomepage;

// The system's temporary directory, ending with '/'; never empty or "/".
QString GetTempDirectory();
// tempDir + "Korvexa/", with exactly one separator between them.
QString WorkFolderFor(const QString& tempDir);
// Creates the folder with its parents when missing; an existing one is left
// as it is. Answers whether it exists afterwards.
bool EnsureFolder(const QString& folder);

// Reads section "ApplicationInfo", key "Homepage" of an INI file; a missing,
// unreadable or malformed file, section or key gives DefaultHomepage.
TApplicationInfo ReadApplicationInfo(const QString& iniPath);
// config.ini beside the running executable.
QString ConfigIniPath();
