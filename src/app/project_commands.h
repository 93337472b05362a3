#pragma once
// Behaviour of the File commands (New, Open, Save, Save as, Exit) and the project
// file name, free of any window.
#include <string>

namespace trevane {

class AppModel;

class ProjectCommands {
public:
    explicit ProjectCommands(AppModel& app) : app_(app) {}

    // New: asks about unsaved changes, then starts an empty untitled project:
    // the criteria, results, evaluation and cutting list of the last one go.
    void Newprojectfile1Click();
    // Open: asks about unsaved changes, reads a project, runs its search again;
    // the project then holds no unsaved changes.
    void Openfile1Click();
    // Save: writes to ProjectFileName, or runs Save as for an untitled project.
    // True when a file was written; only then is ProjectChanged cleared.
    bool Save1Click();
    // Save as: asks for a name (completed with ".prj"), asks before replacing an
    // existing file of the completed name, and writes. True when written; the
    // project then holds no unsaved changes.
    bool Saveas1Click();
    // The close question of the main window (also reached through Exit); true: may close.
    bool FormCloseQuery();

    // The caption "Trevane [" + bare file name + "]".
    void SetProjectCaption();

    // The project file's bytes for the state of the pages.
    std::string ProjectBytes() const;
    // Reads the project at `path` into the pages: all or nothing (errors are
    // raised, not shown). A project made with another database switches to it
    // first (search state kept).
    void ReadProject(const std::string& path);

    // Full path of the project file; exactly "untitled.prj" until saved or opened.
    std::string ProjectFileName = "untitled.prj";

private:
    // The unsaved-changes question of New, Open and Exit; false: the command stops.
    bool AskToSaveChanges();
    bool WriteTo(const std::string& path);

    AppModel& app_;
};

// The name a Save as writes to: no extension gets ".prj"; another extension is
// replaced by ".prj"; ".prj" in any letter case is kept.
std::string CompleteProjectFileName(const std::string& chosen);

// The file name part of a path.
std::string BareFileName(const std::string& path);

}  // namespace trevane
