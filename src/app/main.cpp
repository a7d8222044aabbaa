#include "app/errorhandler.h"
#include "app/quollapplication.h"
#include "app/quollmain.h"
#include "app/widgetdialogs.h"
#include "core/apppaths.h"

// Program entry: initialise the application, create the main window, run
// the event loop until the main window closes.
int main(int argc, char *argv[])
{
    quoll::app::QuollApplication application(argc, argv);
    quoll::app::WidgetDialogs dialogs;
    quoll::app::ErrorHandler errors(dialogs);
    application.setErrorHandler(&errors);

    quoll::app::QuollMain window(quoll::AppPaths::forExecutable(), dialogs, errors);
    dialogs.setParentWindow(&window);
    window.show();
    const int status = application.exec();
    application.setErrorHandler(nullptr);
    return status;
}
