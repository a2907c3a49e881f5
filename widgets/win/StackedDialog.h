#pragma once

#include <memory>
#include <vector>

#include "host/ui/VarnPDialog.h"

// A page of a stacked dialog. Enter and Escape inside a page never close
// anything: its OK and Cancel do nothing, and the keys stop at the page
// unless the focused control wants them (an edit being typed into).
class QOR_API TCard : public CVarnPDialog {
public:
    TCard() noexcept : CVarnPDialog(UINT(0)) {}
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};

// A child dialog holding pages on top of each other, one shown at a time.
// It owns its pages and destroys them with itself.
class QOR_API TStackedDialog : public CVarnPDialog {
public:
    struct PageRecord {
        TStackedDialog* owner;
        UINT id;
        std::unique_ptr<TCard> page;
    };

    explicit TStackedDialog(UINT templateId, CWnd* parent = nullptr) noexcept;
    ~TStackedDialog() override;

    // Creates the page's window from template id; null (and the page
    // deleted) when it cannot be made. The first page becomes current.
    TCard* AddPage(UINT id, TCard* page);
    BOOL ActivatePage(PageRecord* record);
    BOOL ActivatePage(UINT id) { return ActivatePage(FindPage(id)); }
    PageRecord* FindPage(UINT id);
    PageRecord* GetCurrentPage() const { return m_current; }
    std::size_t GetPageCount() const { return m_pages.size(); }

protected:
    virtual int GetPageState() { return 0; }  // kept for subclasses; unused here
    virtual void OnPageCreated(UINT id, TCard* page) {}
    virtual void OnPageDestroying(UINT id, TCard* page) {}
    virtual BOOL CanActivatePage(UINT id, TCard* page) { return TRUE; }
    virtual void OnPageActivated(UINT id, TCard* page, BOOL active) {}

    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    void DestroyPages();

    int m_edgeWidth;
    int m_edgeHeight;
    int m_captionHeight;
    std::vector<std::unique_ptr<PageRecord>> m_pages;
    PageRecord* m_current = nullptr;
};
