#pragma once
// The one seam between the core and the windows. The workbench implements it with
// modal dialogs; tests and sketchrun record the calls.

#include <string>

namespace quorvex {

class Host {
public:
    virtual ~Host() = default;
    // Modal: returns when the user has closed the error window.
    virtual void show_error(const std::string& message, const std::string& line_text) = 0;
};

class NullHost : public Host {
public:
    void show_error(const std::string&, const std::string&) override {}
};

} // namespace quorvex
