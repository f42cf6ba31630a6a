#pragma once
// The application object: owns the settings, the user seam, the document and the main
// window, and runs start-up in its order (settings, window, the command line) and the
// exit (settings written back).
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "document/settings.h"
#include "ui/app/qt_user_port.h"

namespace velmora {

class CVelmoraDoc;
class CMainFrame;

// What the command line asks for.
struct StartRequest {
    QString file;        // a cube file to open; empty: a new random cube
    QString screenshot;  // --screenshot FILE.png: one frame into a PNG, then exit
    bool valid = true;
    QString error;
};

StartRequest ParseCommandLine(const QStringList& arguments);
// The same from the program's own arguments (after Qt took its options), keeping the
// file's name as the bytes it was given: a name that is not valid UTF-8 still opens.
// argv[i] is skipped where skip[i] is set (options the caller took out itself);
// filePath receives the bytes of the file's name.
StartRequest ParseCommandLine(int argc, char** argv, const std::vector<bool>& skip, std::string& filePath);

// Loads Qt's own Simplified Chinese texts (standard buttons, file and colour dialogs);
// false when they are not installed.
bool InstallQtTranslations();

class CVelmoraApp {
public:
    CVelmoraApp();
    ~CVelmoraApp();

    // Start-up after the settings: the document, the window, the command line (a new
    // document or the file), the window shown with dropped files accepted. False when
    // the command line could not be processed (the user has been told why).
    // filePath: the bytes of request.file's name when the caller has them.
    bool Start(const StartRequest& request, const std::string& filePath = {});
    // Writes the settings and the recent-file list back.
    void Exit();

    VelmoraSettings settings;
    QtUserPort user;
    std::unique_ptr<CVelmoraDoc> doc;
    std::unique_ptr<CMainFrame> frame;
};

// The application's surface format: a compatibility context with depth and stencil,
// set before the first window is made.
void SetDefaultSurfaceFormat();

}  // namespace velmora
