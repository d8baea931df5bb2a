// The browser window's toolkit half over Qt WebEngine: a view in the window's client area, navigation, the
// history, the busy state, saving the loaded document as it was served, new windows of their own, and the user's
// input handed to the view's focus proxy. Built as a library of its own that registers the native class
// "ZUBWebBrowser" while it loads.
#include "platform/controls/BrowserControl.h"
#include "platform/qt/QtNativeControl.h"

#include <QCoreApplication>
#include <QQuickWidget>
#include <QQuickItem>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Every view the library made, so that the views still alive at exit go before the application object.
std::set<QWebEngineView*>& LiveViews() {
  static std::set<QWebEngineView*> Views;
  return Views;
}

void DropViewsAtExit() {
  std::vector<QWebEngineView*> Left(LiveViews().begin(), LiveViews().end());
  for (QWebEngineView* View : Left) {
    delete View;
  }
  LiveViews().clear();
}

void PrepareEngine() {
  // The engine's sandbox refuses to start for the superuser: only then is it switched off.
  if (::geteuid() == 0) {
    std::string Flags = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS") ? std::getenv("QTWEBENGINE_CHROMIUM_FLAGS") : "";
    if (Flags.find("--no-sandbox") == std::string::npos) {
      Flags += Flags.empty() ? "--no-sandbox" : " --no-sandbox";
      ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", Flags.c_str(), 1);
    }
  }
  std::atexit(DropViewsAtExit);
}

class TBrowserNative;

// A page that opens the windows a link or a script asks for as top-level views of their own.
class TBrowserPage : public QWebEnginePage {
public:
  TBrowserPage(QWebEngineProfile* Profile, TBrowserNative* Owner, QObject* Parent)
      : QWebEnginePage(Profile, Parent), FOwner(Owner) {}

protected:
  QWebEnginePage* createWindow(WebWindowType Type) override;

private:
  TBrowserNative* FOwner;
};

class TBrowserNative : public TNativeControl {
public:
  explicit TBrowserNative(HWND Wnd) : TNativeControl(Wnd) {
    // The view sits in a container of its own: the engine hands the keys a page left alone back to the view's
    // parent, which must not take them as new input.
    auto* Container = new QWidget;
    Container->setProperty("zubqReturnedInput", true);
    auto* Layout = new QVBoxLayout(Container);
    Layout->setContentsMargins(0, 0, 0, 0);
    FView = new QWebEngineView(Container);
    Layout->addWidget(FView);
    Container->setFocusProxy(FView);
    LiveViews().insert(FView);
    FPage = new TBrowserPage(QWebEngineProfile::defaultProfile(), this, FView);
    FView->setPage(FPage);
    SetWidget(Container);
    Connect();
  }

  ~TBrowserNative() override {
    for (const QPointer<QWebEngineView>& View : FWindows) {
      if (View) {
        LiveViews().erase(View.data());
        delete View.data();
      }
    }
    LiveViews().erase(FView);
    // TNativeControl deletes the view (it owns its widget).
  }

  // The page takes every key, the arrows, Tab and Enter as well.
  LRESULT DialogCode() override { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

  QWidget* InputWidget() const override {
    QWidget* Proxy = FView ? FView->focusProxy() : nullptr;
    return Proxy ? Proxy : FView;
  }

  bool HandleMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    Result = 0;
    switch (Msg) {
      case BRM_NAVIGATE: Load(LParam ? reinterpret_cast<const char*>(LParam) : ""); return true;
      case BRM_GOBACK:
        if (!FPage->history()->canGoBack()) {
          return true;
        }
        SetBusy(true);
        FPage->history()->back();
        Result = 1;
        return true;
      case BRM_GOFORWARD:
        if (!FPage->history()->canGoForward()) {
          return true;
        }
        SetBusy(true);
        FPage->history()->forward();
        Result = 1;
        return true;
      case BRM_REFRESH:
        SetBusy(true);
        FPage->triggerAction(QWebEnginePage::Reload);
        return true;
      case BRM_STOP:
        FPage->triggerAction(QWebEnginePage::Stop);
        SetBusy(false);
        return true;
      case BRM_GETBUSY: Result = FBusy ? 1 : 0; return true;
      case BRM_GETLOCATION:
        if (LParam) {
          *reinterpret_cast<std::string*>(LParam) = QStringToAnsi(FPage->url().toString());
        }
        return true;
      case BRM_HASDOCUMENT: Result = FLoaded ? 1 : 0; return true;
      case BRM_SAVESTART: Result = StartSave(LParam ? reinterpret_cast<const char*>(LParam) : "") ? 1 : 0; return true;
      case BRM_SAVESTATE: Result = FSaveState; return true;
      case BRM_TRANSLATEKEY: Result = TranslateKey(reinterpret_cast<const MSG*>(LParam)) ? 1 : 0; return true;
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        // The page takes each key with its text as the keyboard sent it: the engine does not take a character
        // given apart from its key.
        SendKey(Msg, WParam);
        return true;
      case WM_CHAR:
      case WM_DEADCHAR: return true;  // given with its key
      case BRM_WINDOWCOUNT: {
        int Count = 0;
        for (const auto& View : FWindows) {
          Count += View ? 1 : 0;
        }
        Result = Count;
        return true;
      }
      default: return false;
    }
  }

  // A window the page asked for: a top-level view of its own, or none when the owner cancels it.
  QWebEnginePage* NewWindow() {
    bool Cancel = false;
    SendMessage(Wnd(), BRN_NEWWINDOW, 0, reinterpret_cast<LPARAM>(&Cancel));
    if (Cancel) {
      return nullptr;
    }
    auto* View = new QWebEngineView;
    LiveViews().insert(View);
    auto* Page = new QWebEnginePage(QWebEngineProfile::defaultProfile(), View);
    View->setPage(Page);
    View->setAttribute(Qt::WA_DeleteOnClose, false);
    QObject::connect(Page, &QWebEnginePage::windowCloseRequested, View, [View] { View->hide(); });
    View->resize(640, 480);
    View->show();
    FWindows.push_back(View);
    return Page;
  }

private:
  void Connect() {
    QObject::connect(FPage, &QWebEnginePage::loadStarted, FView, [this] { SetBusy(true); });
    QObject::connect(FPage, &QWebEnginePage::loadFinished, FView, [this](bool Ok) { LoadFinished(Ok); });
    QObject::connect(FPage, &QWebEnginePage::linkHovered, FView,
                     [this](const QString& Address) { StatusText(QStringToAnsi(Address)); });
    QObject::connect(FPage, &QWebEnginePage::urlChanged, FView, [this](const QUrl&) { HistoryChanged(); });
    QObject::connect(FPage, &QWebEnginePage::renderProcessTerminated, FView,
                     [this](QWebEnginePage::RenderProcessTerminationStatus, int) { SetBusy(false); });
    QObject::connect(FPage, &QWebEnginePage::windowCloseRequested, FView, [this] {
      // As the platform's control does: the page asks its window to close.
      SendMessage(Wnd(), WM_CLOSE, 0, 0);
    });
    QObject::connect(QWebEngineProfile::defaultProfile(), &QWebEngineProfile::downloadRequested, FView,
                     [this](QWebEngineDownloadRequest* Download) { DownloadRequested(Download); });
  }

  void Load(const std::string& Address) {
    QUrl Url = QUrl::fromUserInput(AnsiToQString(Address), QDir::currentPath(), QUrl::AssumeLocalFile);
    if (!Address.empty() && Address[0] == '/') {
      Url = FileNameToUrl(Address);
    }
    SetBusy(true);
    FPage->load(Url);
  }

  void LoadFinished(bool Ok) {
    SetBusy(false);
    HistoryChanged();
    if (Ok) {
      FLoaded = true;
      StatusText("Done");
      // Posted: the owner's handling may wait for the browser and run the loop.
      PostMessage(Wnd(), BRN_DOCUMENTCOMPLETE, 0, 0);
    }
  }

  void SetBusy(bool Busy) {
    if (FBusy == Busy) {
      return;
    }
    FBusy = Busy;
    SendMessage(Wnd(), BRN_COMMANDSTATE, static_cast<WPARAM>(CSC_UPDATECOMMANDS), Busy ? 1 : 0);
  }

  void HistoryChanged() {
    const bool Back = FPage->history()->canGoBack();
    const bool Forward = FPage->history()->canGoForward();
    SendMessage(Wnd(), BRN_COMMANDSTATE, static_cast<WPARAM>(CSC_NAVIGATEFORWARD), Forward ? 1 : 0);
    SendMessage(Wnd(), BRN_COMMANDSTATE, static_cast<WPARAM>(CSC_NAVIGATEBACK), Back ? 1 : 0);
  }

  void StatusText(const std::string& Text) {
    SendMessage(Wnd(), BRN_STATUSTEXT, 0, reinterpret_cast<LPARAM>(Text.c_str()));
  }

  bool StartSave(const std::string& FileName) {
    if (!FLoaded || FileName.empty() || FSaveState == 0) {
      return false;
    }
    FSaveState = 0;
    FSavePath = FileNameToQString(FileName);
    // The engine saves only under a name that says what the file holds: the page goes to a name of its own
    // beside the target, which it replaces once it is whole.
    FSaveWork = FSavePath + QStringLiteral(".zubq-save.html");
    QFile::remove(FSaveWork);
    FPage->save(FSaveWork, QWebEngineDownloadRequest::SingleHtmlSaveFormat);
    return true;
  }

  void DownloadRequested(QWebEngineDownloadRequest* Download) {
    if (Download->page() != FPage) {
      return;
    }
    if (!Download->isSavePageDownload() || FSaveState != 0) {
      Download->cancel();
      return;
    }
    QObject::connect(Download, &QWebEngineDownloadRequest::isFinishedChanged, FView, [this, Download] {
      if (Download->isFinished()) {
        bool Saved = Download->state() == QWebEngineDownloadRequest::DownloadCompleted;
        if (Saved) {
          QFile::remove(FSavePath);
          Saved = QFile::rename(FSaveWork, FSavePath);
        }
        QFile::remove(FSaveWork);
        FSaveState = Saved ? 1 : -1;
      }
    });
    // A save of the page comes accepted, with the file name the save gave it.
    if (Download->state() == QWebEngineDownloadRequest::DownloadRequested) {
      Download->accept();
    }
  }

  // Keys go straight to the item of the page that has the focus in the view's scene: the scene's widget would
  // hand them on only as input of its own.
  void SendKey(UINT Msg, WPARAM Vk) {
    std::unique_ptr<QKeyEvent> Key = KeyEventOfMessage(Msg, Vk);
    auto* Scene = qobject_cast<QQuickWidget*>(InputWidget());
    if (!Key || !Scene) {
      return;
    }
    QObject* Target = Scene->quickWindow()->activeFocusItem();
    QCoreApplication::sendEvent(Target ? Target : static_cast<QObject*>(Scene->quickWindow()), Key.get());
  }

  bool TranslateKey(const MSG* Msg) {
    if (Msg == nullptr) {
      return false;
    }
    switch (Msg->message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP: SendKey(Msg->message, Msg->wParam); return true;
      default:
        // Characters were given with their keys.
        return Msg->message == WM_CHAR || Msg->message == WM_DEADCHAR;
    }
  }

  QWebEngineView* FView = nullptr;
  TBrowserPage* FPage = nullptr;
  std::vector<QPointer<QWebEngineView>> FWindows;
  bool FBusy = false;
  bool FLoaded = false;
  LRESULT FSaveState = -1;  // no save yet
  QString FSavePath;
  QString FSaveWork;
};

QWebEnginePage* TBrowserPage::createWindow(WebWindowType) { return FOwner->NewWindow(); }

const bool Registered = [] {
  PrepareEngine();
  return RegisterNativeClass(WC_WEBBROWSER, [](HWND Wnd, const CREATESTRUCT*) -> std::unique_ptr<TNativeControl> {
           return std::make_unique<TBrowserNative>(Wnd);
         }) != 0;
}();

}  // namespace
