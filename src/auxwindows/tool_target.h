#pragma once

class WebView;

// What the browser toolbar window needs of the main window.
class ToolTarget {
public:
    virtual ~ToolTarget() = default;
    // The active tab of the main window's tab control: 0 the product description, 1 the gallery.
    virtual int currentTab() const = 0;
    // The description view (tab 0) and the gallery view (tab 1).
    virtual WebView *descriptionView() const = 0;
    virtual WebView *galleryView() const = 0;
};
