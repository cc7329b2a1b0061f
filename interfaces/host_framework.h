// The host media framework as the plug-ins see it: registration, the controller base,
// setup menus, panel, painter, language, display driver, partition detection, the
// upgrade manager and, for the FM screen, the layout reader and widgets. The host
// application provides these classes (libsolvane); the plug-ins bind them by name.
//
// Threads: every class here may be called from the host's thread and from a
// controller's own thread; the host serialises what it shares. Ownership is stated
// per operation.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "interfaces/abi_layout.h"
#include "interfaces/export.h"
#include "interfaces/media_types.h"
#include "interfaces/tuner_service.h"

// A point in pixels (ClientToScreen).
struct ZaqPoint {
    int32_t x;
    int32_t y;
};
ZAQ_ASSERT_SIZE(ZaqPoint, 8, 8);
ZAQ_ASSERT_OFFSET(ZaqPoint, y, 4, 4);

// Virtual slots. A host built elsewhere calls our controllers, and we call its
// objects, by position in the table of virtual functions, so every class here
// declares its virtual functions in slot order; a virtual destructor takes two
// slots (the destructor, then the deleting destructor). Where the host's table
// has entries that neither side calls, a reserved function holds the place.
// tests/abi/interface_slots_test.cpp and host_slots_test.cpp check every slot
// named here.

// ---- Controllers ----

// Abstract base of every controller the host loads. Slots: 0 and 1 the
// destructor, 2 Notify.
class ZAQ_EXPORT CUICTRL {
  public:
    virtual ~CUICTRL();
    // type 0 create engine, 1 host callback in data, 2 key bytes, 24 sleep minutes.
    virtual int Notify(unsigned type, char* data, unsigned len, int value) = 0;
};

// ---- Registration and item lists ----

// A picture property the host lists: settings key, tuner property id (negative:
// not a tuner property, skip it) and the value the host holds for it.
struct CZAQPictureItem {
    int id;
    std::string key;
    int value;
};

// A tuner setting the host lists: settings key, engine commands that set and read
// it, and the value the host holds for it.
struct CZAQTunerItem {
    int id;
    std::string key;
    int setCommand;
    int getCommand;
    int value;
};

// Item groups: picture items of the defaults page (2) and of the display page (4),
// tuner items of the defaults page (5).
enum : int {
    kItemGroupPictureDefaults = 2,
    kItemGroupPictureDisplay = 4,
    kItemGroupTunerDefaults = 5,
};

// What RegisterFactory returns. Each Fill replaces the list's content and returns
// the number of items. Values come from the settings store when it is loaded in
// the process, else from the host's defaults.
//
// Slots: 0 to 4 the four Fill operations and InstallCallback; 5, 6 and 7 the
// host's own entries, which the plug-ins never call (here they return 0);
// 8 Release; 9 and 10 the destructor.
class ZAQ_EXPORT CZAQRegistration {
  public:
    virtual int FillPictureItems(std::vector<CZAQPictureItem>& items) = 0;
    virtual int FillPictureGroupItems(std::vector<CZAQPictureItem>& items, int group) = 0;
    virtual int FillTunerItems(std::vector<CZAQTunerItem>& items) = 0;
    virtual int FillTunerGroupItems(std::vector<CZAQTunerItem>& items, int group) = 0;
    // Called as (81, callback, 0, 0, 0); the host reports menu events through it.
    virtual int InstallCallback(int command, MediaEventCallback callback, int a, int b, int c) = 0;
    virtual int HostReserved5();
    virtual int HostReserved6();
    virtual int HostReserved7();
    // Destroys the object; the pointer is invalid afterwards.
    virtual void Release() = 0;

  protected:
    virtual ~CZAQRegistration();
};

class ZAQ_EXPORT CZAQRegisterFactory {
  public:
    // Never null; the caller calls Release once.
    static CZAQRegistration* RegisterFactory(CUIMediaType type);
};

// ---- Setup menu ----

// The setup menu a factory builds. Command sends one menu command with four words;
// words the command does not use are null. Per command (-> means "points to"):
//   8: a4 osd.  32: a2 -> int volume, a4 osd.  40..43, 50, 66, 83, 97: none.
//   65: none, or a1 -> int value.  81: a1 the MediaEventCallback (MenuCallbackWord).
//   87: a1 -> int.  88, 89: a1 -> int; or a1 const char* text and a2 -> int 1.
//   90, 91, 92: a1 -> int message number.  95: a1 const char* label.
//   96, 198: a1 -> const std::vector<std::string> (labels, FM station lines).
//   159, 160, 161, 163: a1 -> int number, a2 -> int digit count, a3 -> int mode, a4 osd.
//   165: a1 -> char (a zero byte) or a2 -> int number; a4 osd.
//   171, 180, 190, 191: a4 osd.  184: a2 -> int minutes, a4 osd.  199: a1 const char*.
// osd is the controller's OSD name as const char* ("OSD_TV", "OSD_FM"). The menu
// reads the words during the call only.
//
// Slots: 0 Command, 1 Notify, 2 the host's own entry, which the plug-ins never
// call (here it returns 0), 3 and 4 the destructor: the controllers delete
// their menu through slot 4. The menu is not a CUICTRL, whose destructor comes
// first in its table.
class ZAQ_EXPORT CSetupMenuMediator {
  public:
    virtual int Command(unsigned command, const void* a1, const void* a2, const void* a3,
                        const void* a4);
    // The host's key route into the menu.
    virtual int Notify(unsigned type, char* data, unsigned len, int value);
    virtual int HostReserved2();
    virtual ~CSetupMenuMediator();
    CSetupMenuMediator(const CSetupMenuMediator&) = delete;
    CSetupMenuMediator& operator=(const CSetupMenuMediator&) = delete;

    // The controller the menu belongs to.
    void SetUiCtrl(CUICTRL* controller);
    // The layout file was read (a missing file still gives a working menu).
    bool IsLayoutLoaded() const;

    struct Impl;

  private:
    friend class CZAQTVSetupMenuFactory;
    friend class CZAQFMSetupMenuFactory;
    explicit CSetupMenuMediator(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Casts a MediaEventCallback to the word menu command 81 carries.
inline const void* MenuCallbackWord(MediaEventCallback callback) {
    return reinterpret_cast<const void*>(callback);
}

class ZAQ_EXPORT CZAQTVSetupMenuFactory {
  public:
    // Never null, even for a null or missing layout path; the caller deletes it.
    static CSetupMenuMediator* TVSetupMenuFactory(const char* layoutPath);
};

class ZAQ_EXPORT CZAQFMSetupMenuFactory {
  public:
    // Never null, even for a null or missing layout path; the caller deletes it.
    static CSetupMenuMediator* FMSetupMenuFactory(const char* layoutPath);
};

// ---- Panel ----

// Panel commands. TV: 0 volume at start, 22 volume, 25 mute shown, 26 mute cleared,
// 39 close, 52 channel number, 127 sound mode. FM: 6 volume at start, 22, 25, 26, 39,
// 64 frequency in hertz.
enum CUIPanelCtrlCmd : int {
    kPanelVolumeAtStart = 0,
    kPanelFmVolumeAtStart = 6,
    kPanelVolume = 22,
    kPanelMuteOn = 25,
    kPanelMuteOff = 26,
    kPanelClose = 39,
    kPanelChannel = 52,
    kPanelFrequency = 64,
    kPanelSoundMode = 127,
};

// The panel's value word carries the number itself, not a pointer to it (null for
// 25, 26, 39); PanelValue makes that word.
inline void* PanelValue(int number) {
    return reinterpret_cast<void*>(static_cast<intptr_t>(number));
}

class ZAQ_EXPORT CUIPanelCtrl {
  public:
    // One shared panel; each GetOrCreateObject is matched by one DestroyObject.
    static CUIPanelCtrl* GetOrCreateObject();
    static void DestroyObject();
    // flag: TV 2 for a change, 0 for a setting; FM the favourite number or 999.
    int PanelDisplay(CUIPanelCtrlCmd command, void* value, int flag);
};

// ---- Painter ----

class ZAQ_EXPORT CUIPainter {
  public:
    // A new painter; the caller deletes it.
    static CUIPainter* GetInstance();
    ~CUIPainter();
    void ClearDisplay(bool all);
    void FlipOntoScreen();

  private:
    CUIPainter() = default;
};

// ---- Language ----

class ZAQ_EXPORT CZAQLangTrans {
  public:
    // One shared object; each GetOrCreateObject is matched by one DestroyObject.
    static CZAQLangTrans* GetOrCreateObject();
    static void DestroyObject();
    int GetPreferLangID();
    int GetCurrentLangID();
    int SetCurrentLangID(int id);
};

// ---- Display driver ----

class ZAQ_EXPORT CUIDRV {
  public:
    // The process-wide driver object; lives as long as the host.
    static CUIDRV* GetOrCreateObject();
    // Nonzero on success. window is ZAQ_VIDEO_WINDOW.
    int GetClientRect(void* window, ZaqRect* rect);
    int ClientToScreen(void* window, ZaqPoint* point);
    int SetTVOut(int mode);

    // First word of the object: nonzero when a display device is open.
    uint32_t m_dwDisplayHandle = 0;
    // 65535 when no display device is known.
    static uint32_t m_dwDeviceID;
};

// ---- Partitions and upgrades ----

class ZAQ_EXPORT CUIAUTODETECT {
  public:
    // One shared object, removed by DeleteAutoDetect.
    static CUIAUTODETECT* GetOrCreateObject();
    static void DeleteAutoDetect();
    // Fills the mount locations of the partitions and, in parallel, their drive
    // names ("C:", "D:", ...). Returns the number of partitions.
    int LinuxPartitionID2WindowsPartitionID(std::vector<std::string>& locations,
                                            std::vector<std::string>& drives);
};

class ZAQ_EXPORT CZaqUpgradeManager {
  public:
    // 1 when mountPoint holds a patch whose version is not older than (major, minor,
    // build); then device receives its loopback device and the numbers its version.
    // 0 otherwise, leaving device and numbers as they were.
    static int CheckPatchFiles(const std::string& mountPoint, std::string& device, int& major,
                               int& minor, int& build);
    // The installed version stored under key; 1 when known, else 0 (numbers untouched).
    static int ReadVersionNumber(const std::string& key, int& major, int& minor, int& build);

    static std::string m_sCDriveDeviceMountPoint;
    static std::string m_sLoopbackDevice;
};

// ---- FM screen: layout reader ----

// One named entry of a layout: its rectangle (labels, clock and date use left and
// top only), images (toggle: off then on; volume bar: levels 0..16), text and format.
struct CUIXmlEntry {
    std::string name;
    ZaqRect rect{0, 0, 0, 0};
    std::vector<std::string> images;
    std::string text;
    int format = 0;
};

class ZAQ_EXPORT CUI_XML_ADAPTOR {
  public:
    // Reads the layout at path (relative to the working directory).
    explicit CUI_XML_ADAPTOR(const char* path);
    ~CUI_XML_ADAPTOR();
    CUI_XML_ADAPTOR(const CUI_XML_ADAPTOR&) = delete;
    CUI_XML_ADAPTOR& operator=(const CUI_XML_ADAPTOR&) = delete;

    bool IsLoaded() const;
    // Empty when the file is missing or has no layout line.
    std::string GetLayoutId() const;
    std::string GetMainWinBgImgLoc() const;
    int GetMainWinId() const;
    ZaqRect GetMainWinCoordinates() const;
    std::string GetPanelBgImgLoc() const;
    int GetPanelId() const;
    ZaqRect GetPanelCoordinates() const;
    // Each fills entry and returns true when an entry of that kind has that name.
    bool GetLabel(const char* name, CUIXmlEntry& entry) const;
    bool GetClock(const char* name, CUIXmlEntry& entry) const;
    bool GetDate(const char* name, CUIXmlEntry& entry) const;
    bool GetToggle(const char* name, CUIXmlEntry& entry) const;
    bool GetVolumnBar(const char* name, CUIXmlEntry& entry) const;

    struct Layout;

  private:
    std::unique_ptr<Layout> layout_;
};

// ---- FM screen: widgets ----

class CUIContainer;

// Base of every widget. A widget built with a parent belongs to it: the parent
// deletes its children; a child deleted first leaves its parent.
// Slots: 0 and 1 the destructor, 2 Update, 3 Flush (CUIFMPanel adds 4 Execute).
class ZAQ_EXPORT CUIWidget {
  public:
    CUIWidget(CUIContainer* parent, std::string className, std::string entryName, std::string name,
              ZaqRect area, int layer, bool visible);
    virtual ~CUIWidget();
    CUIWidget(const CUIWidget&) = delete;
    CUIWidget& operator=(const CUIWidget&) = delete;

    virtual void Update();
    virtual void Flush();

    const std::string& Name() const { return name_; }
    const std::string& EntryName() const { return entryName_; }
    // left, top, width, height
    const ZaqRect& Area() const { return area_; }
    int Layer() const { return layer_; }
    bool Visible() const { return visible_; }

  private:
    friend class CUIContainer;
    CUIContainer* parent_;
    std::string className_;
    std::string entryName_;
    std::string name_;
    ZaqRect area_;
    int layer_;
    bool visible_;
};

class ZAQ_EXPORT CUIContainer : public CUIWidget {
  public:
    using CUIWidget::CUIWidget;
    ~CUIContainer() override;
    // The child with that entry name, or null.
    CUIWidget* FindByEntry(const std::string& entryName) const;
    size_t ChildCount() const { return children_.size(); }

  private:
    friend class CUIWidget;
    void Adopt(CUIWidget* child);
    void Release(CUIWidget* child);
    std::vector<CUIWidget*> children_;
};

class ZAQ_EXPORT CUIBackground : public CUIContainer {
  public:
    CUIBackground(CUIContainer* parent, int id, const std::string& image, int x, int y, int width,
                  int height, const char* name, int layer, bool visible);
    const std::string& Image() const { return image_; }

  private:
    std::string image_;
};

// The FM panel: holds the FM widgets and carries out the on-screen commands
// 8 mute on, 22 mute off, 32 volume (argument -> int), 35 date and 36 clock
// (argument -> struct tm), 38 frequency (const char*), 200 favourite number (const char*).
// Returns 0, or -1 when a command needs an argument and got none.
class ZAQ_EXPORT CUIFMPanel : public CUIContainer {
  public:
    CUIFMPanel(CUIContainer* parent, int id, const std::string& image, int x, int y, int width,
               int height, const char* name, int layer, bool visible);
    virtual int Execute(int target, int command, void* argument, int b, int c, int d);
    const std::string& Image() const { return image_; }

  private:
    std::string image_;
};

// Panel children: (parent, entry name, the entry read from the layout, x, y, width,
// height, widget name, layer, visible).
class ZAQ_EXPORT CUILabel : public CUIWidget {
  public:
    CUILabel(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x, int y,
             int width, int height, const char* name, int layer, bool visible);
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }

  protected:
    CUILabel(CUIContainer* parent, const char* className, const char* entryName,
             const CUIXmlEntry& entry, int x, int y, int width, int height, const char* name,
             int layer, bool visible);

  private:
    std::string text_;
};

class ZAQ_EXPORT CUIClock : public CUILabel {
  public:
    CUIClock(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x, int y,
             int width, int height, const char* name, int layer, bool visible, int clockFormat);
    int Format() const { return format_; }

  private:
    int format_;
};

class ZAQ_EXPORT CUIDate : public CUILabel {
  public:
    CUIDate(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x, int y,
            int width, int height, const char* name, int layer, bool visible, int dateFormat);
    int Format() const { return format_; }

  private:
    int format_;
};

class ZAQ_EXPORT CUIToggle : public CUIWidget {
  public:
    CUIToggle(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x, int y,
              int width, int height, const char* name, int layer, bool visible);
    void SetOn(bool on);
    bool IsOn() const { return on_; }
    const std::vector<std::string>& Images() const { return images_; }

  private:
    std::vector<std::string> images_;
    bool on_ = false;
};

class ZAQ_EXPORT CUIVolumeBar : public CUIWidget {
  public:
    static constexpr int kLevels = 17;
    CUIVolumeBar(CUIContainer* parent, const char* entryName, const CUIXmlEntry& entry, int x,
                 int y, int width, int height, const char* name, int layer, bool visible);
    // Clamped to 0..16.
    void SetLevel(int level);
    int Level() const { return level_; }
    const std::vector<std::string>& Images() const { return images_; }

  private:
    std::vector<std::string> images_;
    int level_ = 0;
};

class ZAQ_EXPORT CUIWindowManage {
  public:
    // One shared object; each GetOrCreateObject is matched by one DestroyObject.
    static CUIWindowManage* GetOrCreateObject();
    static void DestroyObject();
};

// Colour helper of the skins: 0x00RRGGBB from components clamped to 0..255.
class ZAQ_EXPORT CUIRGBMixer {
  public:
    static uint32_t Mix(int red, int green, int blue);
};
