#pragma once
// Where a batch writes its archives (settings key "OutputMode").

enum OutputMode {
    OutputToFolder = 1,      // the folder typed in the output-folder field
    OutputBesideSource = 2,  // the folder that holds the first item of the batch
    OutputToDesktop = 3,     // the user's desktop folder
};

// Mode used when the settings hold none.
constexpr int kDefaultOutputMode = OutputToDesktop;
