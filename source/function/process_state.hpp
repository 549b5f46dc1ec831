// The one object that holds what the library and the program keep for the
// whole process: hooks of the message, meter and error seams, the menu-id
// allocator, help and library-text state, the modal stack, the native
// registries, the window library's bookkeeping and the program's own state.
//
// One member per concern. Each concern's type is private to the file that
// owns the concern (the only file that reads or writes it), so this portable
// header needs none of those types, the Windows ones included; the owning
// file reaches its part with `processState().concern.get<Type>()`. A part is
// made on first use and the parts are destroyed in the reverse order of
// their making when the process ends, as function-level statics were. A part
// used again while the process ends, after its object was destroyed, is made
// again; once the state itself has ended it is made unlisted and left to the
// process's end.
#pragma once

#include <atomic>
#include <mutex>
#include <typeinfo>
#include <vector>

namespace wl {

class ProcessState;

// One concern's state, made on first use. get<T>() must name the same type
// at every call; another type is a programming error and throws.
class ProcessPart {
public:
    explicit ProcessPart(ProcessState& owner) : owner_(owner) {}
    ProcessPart(const ProcessPart&) = delete;
    ProcessPart& operator=(const ProcessPart&) = delete;
    ~ProcessPart() { reset(); }

    template <class T>
    T& get() {
        void* object = object_.load(std::memory_order_acquire);
        if (!object)
            object = make(typeid(T), [] { return static_cast<void*>(new T()); },
                          [](void* p) { delete static_cast<T*>(p); });
        else if (type_ != &typeid(T))
            checkType(typeid(T));
        return *static_cast<T*>(object);
    }

private:
    friend class ProcessState;
    void* make(const std::type_info& type, void* (*create)(), void (*destroy)(void*));
    void checkType(const std::type_info& asked) const;
    void reset();

    ProcessState& owner_;
    std::atomic<void*> object_{nullptr};
    const std::type_info* type_ = nullptr;
    void (*destroy_)(void*) = nullptr;
};

class ProcessState {
public:
    ProcessState() = default;
    ProcessState(const ProcessState&) = delete;
    ProcessState& operator=(const ProcessState&) = delete;
    ~ProcessState();

    // source/function: the portable library.
    ProcessPart prompts{*this};         // the message and question seam's test hook
    ProcessPart menuIds{*this};         // menu item ids in use
    ProcessPart helpFiles{*this};       // the help pop-up's settings
    ProcessPart libraryTexts{*this};    // the library's texts and their language
    ProcessPart designGrid{*this};      // design mode's grid
    ProcessPart errorReport{*this};     // where the error report goes and what follows it
    ProcessPart resources{*this};       // tracked GDI and other resources
    ProcessPart reportBuilding{*this};  // reports between RPTBEGIN and RPTEND
    ProcessPart numberFormat{*this};    // the number format (SET DECIMALS ...)
    ProcessPart tempNames{*this};       // the last temporary name given
    ProcessPart random{*this};          // NRANDOM's seed
    ProcessPart treePictures{*this};    // outlines' shared line and default pictures
    ProcessPart kineticScroll{*this};   // SETKINETIC: new grid browses fling
    ProcessPart gridSelectAll{*this};   // XBRGETSELECTALL: a typed key replaces a grid cell's text
    ProcessPart workAreas{*this};       // the open tables by alias, the selected one, record locks

    // source/winapi (Windows only).
    ProcessPart printSettings{*this};  // the print dialog's record
    ProcessPart helpKeys{*this};       // the F1 keyboard hook

    // source/native (Windows only).
    ProcessPart libraries{*this};      // libraries loaded by name
    ProcessPart resourceModule{*this}; // where resources are looked up
    ProcessPart nativeHandles{*this};  // handles kept for the process
    ProcessPart modalStack{*this};     // open modal dialogs
    ProcessPart ownerDraw{*this};      // owner-drawn item height
    ProcessPart visualStyles{*this};   // subclassed controls' old procedures
    ProcessPart ctl3d{*this};          // the 3-D controls library's link
    ProcessPart colorDialog{*this};    // the colour dialog's custom colours
    ProcessPart fileDialog{*this};     // the file dialog's last filter
    ProcessPart findDialog{*this};     // the modeless find dialog
    ProcessPart menuSkin{*this};       // menus' look, check mark, Windows 6 flag
    ProcessPart messageLoop{*this};    // modeless dialogs and accelerators of the loop
    ProcessPart messagePump{*this};    // whether a loop runs, the last key
    ProcessPart popupMenus{*this};     // the pop-up menu test hook
    ProcessPart palettes{*this};       // palettes of bitmaps
    ProcessPart cursors{*this};        // the built-in cursors, made once
    ProcessPart procedureBridge{*this};  // the window procedures' handler

    // source/classes (Windows only).
    ProcessPart windows{*this};       // window objects by handle, event error hook
    ProcessPart controls{*this};      // controls' shared state
    ProcessPart dialogs{*this};       // dialogs' shared state
    ProcessPart menus{*this};         // open menus, the menu being built, the last item
    ProcessPart messageBars{*this};   // the default message bar
    ProcessPart errorHandler{*this};  // the error dialog and its handler
    ProcessPart dde{*this};           // DDE conversations
    ProcessPart structures{*this};    // THISSTRUCT's current structure
    ProcessPart images{*this};        // the image library's state
    ProcessPart timers{*this};        // timer ids
    ProcessPart mdi{*this};           // the last MDI frame
    ProcessPart printer{*this};       // PRINTBEGIN's printer
    ProcessPart previewBar{*this};    // the preview bar's user buttons, style and button size
    ProcessPart brushes{*this};       // the shared brushes
    ProcessPart fonts{*this};         // the shared fonts
    ProcessPart gridBrowses{*this};   // TWBrowse's class data (lKinetic)
    ProcessPart recordSets{*this};    // the default connection, the memo threshold

    // The program on top of the library (zr::Application), whose type the
    // library does not know.
    ProcessPart application{*this};

private:
    friend class ProcessPart;

    // Recursive: making a part may make the parts it uses.
    std::recursive_mutex mutex_;
    std::vector<ProcessPart*> made_;  // in the order of their making
    // Set once the destructor's own work is done: the list and the mutex go
    // next, so a part asked for after that (by an object that ends after the
    // state) is made unlisted and left to the process's end. Trivially
    // destructible, so it still reads true then.
    std::atomic<bool> ended_{false};
};

// The process's state: the one owner of everything above.
ProcessState& processState();

}  // namespace wl
