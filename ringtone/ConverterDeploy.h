// Makes the converter reachable as "av" in the work folder.
#pragma once

#include <QString>

// Points workFolder + "av" at the ffmpeg found on PATH. The new link is made
// under a temporary name and renamed over "av", so a converter that is running
// from the folder, or about to start from it, always finds a complete entry.
// Silent: with no ffmpeg on PATH, or a folder that cannot be written, nothing
// changes and nothing is reported; the conversion reports it later.
void DeployConverter(const QString& workFolder);
