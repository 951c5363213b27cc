#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "framework/data_exchange.h"

namespace perch::test {

// The controls of a dialog held in memory for a data-exchange run: edit texts, check
// states and list selections by control id, and what was reported. A list holds `listSize`
// items, so selecting outside them leaves it without a selection, as a real list does.
class FakeDialog final : public framework::DataExchange {
  public:
    explicit FakeDialog(bool saveAndValidate) : DataExchange(saveAndValidate) {}

    struct Report {
        int id = 0;
        std::string message;
        bool isEdit = false;
    };

    std::map<int, std::string> texts;
    std::map<int, std::size_t> limits;
    std::map<int, int> checks;
    std::map<int, int> selections;
    int listSize = 3;
    std::vector<Report> reports;

  protected:
    std::string GetText(int id) override { return texts[id]; }
    void SetText(int id, const std::string& text) override { texts[id] = text; }
    void LimitText(int id, std::size_t maxChars) override { limits[id] = maxChars; }
    int GetCheck(int id) override { return checks[id]; }
    void SetCheck(int id, int state) override { checks[id] = state; }
    int GetSelection(int id) override {
        const auto it = selections.find(id);
        return it == selections.end() ? -1 : it->second;
    }
    void SetSelection(int id, int index) override {
        selections[id] = index >= 0 && index < listSize ? index : -1;
    }
    void ReportFailure(int id, const std::string& message, bool isEdit) override {
        reports.push_back({id, message, isEdit});
    }
};

}  // namespace perch::test
