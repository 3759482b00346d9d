#pragma once
// A user at the virtual display: real pointer moves and button presses through the X
// server's test extension, so that they reach the widgets exactly as a mouse's would. The
// steps run one after the other from a timer while the dialog waits for its user; a step
// that returns false is tried again a little later (the widget is not there yet).
#include <gtk/gtk.h>

#include <deque>
#include <functional>
#include <string>

#include <wx/gdicmn.h>
#include <wx/timer.h>

class ScreenRobot {
public:
    ScreenRobot();
    // False (with a message) where the display has no test extension.
    static bool Available(std::string& why);

    void Then(std::string name, std::function<bool()> step) { m_steps.push_back({std::move(name), std::move(step)}); }
    // bailOut: what ends the dialog when a step never succeeds.
    void Start(std::function<void()> bailOut)
    {
        m_bailOut = std::move(bailOut);
        m_timer.StartOnce(50);
    }
    bool Finished() const { return m_steps.empty(); }
    // The step that never succeeded, or empty when all did.
    const std::string& StuckAt() const { return m_stuck; }

    static void MoveTo(wxPoint screen);
    static void Press(unsigned button);
    static void Release(unsigned button);
    static void Click(wxPoint screen, unsigned button = 1);

    // Screen points: the middle of a widget; of a tree view's cell.
    static wxPoint Centre(GtkWidget* widget);
    static wxPoint CellCentre(GtkTreeView* tree, int row, GtkTreeViewColumn* column);
    // The item of the popup menu on screen with this text, or null.
    static GtkWidget* MenuItem(const std::string& text);

private:
    struct Step {
        std::string name;
        std::function<bool()> run;
    };
    std::deque<Step> m_steps;
    wxTimer m_timer;
    int m_tries = 0;
    std::string m_stuck;
    std::function<void()> m_bailOut;
};
