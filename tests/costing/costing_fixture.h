#pragma once
// A session holding a small costing database built in memory: costable and
// non-costable woods, metals, plastics and boards with known prices and limits.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/app_model.h"
#include "costing/costing_page.h"
#include "materials/material.h"
#include "support/fake_ui.h"

namespace trevane::testing {

inline const std::string kPound = "\xC2\xA3";

class CostingTest : public ::testing::Test {
protected:
    FakeUi ui;
    AppModel session{ui, "."};
    CostingPage& page = session.Costing();

    template <class T>
    T& Add(const std::string& name, int costingFlag = -1) {
        auto m = T::Create();
        m->Name = name;
        m->CostingFlag = costingFlag;
        // Stock starts priced and sized: a shape at zero keeps a material off the tabs.
        if constexpr (requires { m->Shapes.front()->MaxLength; }) {
            for (auto& s : m->Shapes) {
                s->Price = 100;
                s->MaxLength = 300;
                s->MaxWidth = 100;
            }
        } else if constexpr (requires { m->Shapes.front()->Thickness; }) {
            for (auto& s : m->Shapes) s->Price = 100;
        }
        T& ref = *m;
        session.State.Database.Materials.push_back(std::move(m));
        return ref;
    }
    template <class M>
    static auto& ShapeOf(M& m, int code) {
        return *m.Shapes[static_cast<std::size_t>(m.FindShape(code))];
    }

    void SetUp() override {
        Add<TWood>("Ash").Price = 40000;          // 0
        Add<TWood>("Balsa", 0);                   // 1: not costable
        auto& steel = Add<TSteel>("Mild steel");  // 2
        ShapeOf(steel, 1) = {kKindStrip, 150, 1, -1, 300, 0};
        ShapeOf(steel, 2).Stocked = 0;  // "15 x 3 [strip]" not supplied
        ShapeOf(steel, 51) = {kKindSheet, 1000, 51, -1, 250, 125};
        Add<TMetal>("Any metal");                  // 3: category 1, never offered
        auto& acrylic = Add<TPlastic>("Acrylic");  // 4
        ShapeOf(acrylic, 1) = {kKindSheet, 2000, 1, 50, 100, -1};
        ShapeOf(acrylic, 2).Stocked = 0;
        ShapeOf(acrylic, 6) = {kKindRound, 80, 6, 0, 200, -1};
        auto& mdf = Add<TBoard>("MDF");  // 5
        ShapeOf(mdf, 6).Price = 800;
        ShapeOf(mdf, 3).Stocked = 0;
        Add<TAluminium>("Aluminium");          // 6
        Add<TCopper>("Copper", 0);             // 7: not costable
        auto& nylon = Add<TPlastic>("Nylon");  // 8
        for (int code = 6; code <= 10; ++code) ShapeOf(nylon, code).Stocked = code == 7 ? -1 : 0;
        Add<TWood>("Oak").Price = 80000;  // 9
        page.SetUpCostMaterials(0);
    }

    // Types sizes into the active tab; Cost* then press "calculate cost". The other
    // tabs take the entry of the size list to choose (-1 keeps the chosen one).
    void CostWood(const std::string& l, const std::string& w, const std::string& t) {
        page.LengthEdit = l;
        page.WidthEdit = w;
        page.ThicknessEdit = t;
        page.WoodCostBtnClick();
    }
    void Enter(int entry, const std::string& l, const std::string& w = "0") {
        using P = CostingPage;
        const bool metal = page.MaterialPCIndex == P::kMetalTab, plastic = page.MaterialPCIndex == P::kPlasticTab;
        const auto pick = [&](auto forMetal, auto forPlastic, auto forBoard) {
            return metal ? forMetal : plastic ? forPlastic : forBoard;
        };
        if (entry >= 0)
            (page.*pick(&P::MetalSectionLBClick, &P::PlasticSectionLBClick, &P::BoardSectionLBClick))(entry);
        page.*pick(&P::MetalLengthEdit, &P::PlasticLengthEdit, &P::BoardLengthEdit) = l;
        page.*pick(&P::MetalWidthEdit, &P::PlasticWidthEdit, &P::BoardWidthEdit) = w;
    }
    void Cost(int entry, const std::string& l, const std::string& w = "0") {
        Enter(entry, l, w);
        page.WoodCostBtnClick();
    }

    // Index of the list entry with this text (-1 when none).
    static int EntryOf(const IndexedList& list, const std::string& text) {
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i].text == text) return static_cast<int>(i);
        return -1;
    }
    static std::string Names(const IndexedList& list) {
        std::string s;
        for (const auto& e : list) s += (s.empty() ? "" : ", ") + e.text;
        return s;
    }
};

}  // namespace trevane::testing
