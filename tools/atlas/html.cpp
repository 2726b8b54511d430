#include "tools/atlas/html.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "html_assets.h"  // atlas_css, lookup_js: html.css and html.js of this folder
#include "machine/roles.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "text/cp932.h"
#include "text/json_writer.h"
#include "tools/windows/tells.h"

// The sources are kept in ASCII: the build turns narrow literals into code
// page 932, so every other character is written as an HTML entity here or
// comes from the machine's texts through cp932_to_utf8.
namespace reelctl::atlas {
namespace {

const std::string arrow = " &rsaquo; ";
constexpr const char* reel_names[reel_count] = {"left", "center", "right"};

using walk::RoadAct;

// How the tree orders and labels an act: the combos' picks, the stop radios,
// the other buttons, the menu commands.
enum class ActKind { pick, radio, button, other };

ActKind act_kind(const RoadAct& act) {
    switch (act.verb) {
        case RoadAct::Verb::pick: return ActKind::pick;
        case RoadAct::Verb::click: return radio_reel(act.id) >= 0 ? ActKind::radio : ActKind::button;
        case RoadAct::Verb::menu: break;
    }
    return ActKind::other;
}

// Siblings in the order of the panel: the combos' entries, the rows of each
// column from 1 up, the Select buttons.
bool act_before(const RoadAct& a, const RoadAct& b) {
    if (act_kind(a) != act_kind(b)) return act_kind(a) < act_kind(b);
    if (a.id != b.id) return a.id < b.id;
    return a.item < b.item;
}

void escape(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

std::string escaped(std::string_view text) {
    std::string out;
    escape(out, text);
    return out;
}

struct Group {
    int bet = 0, order = 0, role = 0;
    int root = -1;
    int count = 0;
    std::string title;  // bet, stop order and role, escaped
};

struct Page {
    int group = 0;
    int root = 0;
    int count = 0;
    std::string name;
};

// The situations as a tree: a situation's parent is the situation its road
// leads to one act before; a role pick is the root of its role's tree.
struct Tree {
    std::vector<int> parent;
    std::vector<std::vector<int>> children;
    std::vector<RoadAct> act;          // the act that led here
    std::vector<std::string> label;  // the choice that led here, escaped HTML
    std::vector<int> group;
    std::vector<int> page;
    std::vector<bool> own_page;      // the root of a page
    std::vector<Group> groups;
    std::vector<Page> pages;
};

// The panel script of the first `count` acts of a road.
std::string join_road(const std::vector<RoadAct>& road, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) text += '\n';
        text += walk::road_line(road[i]);
    }
    return text;
}

std::string choice_label(const Situation& s, const Situation* parent, const RoadAct& act) {
    switch (act_kind(act)) {
        case ActKind::pick:
            if (act.id == IDC_ROLE_COMBO) return escaped(role_text(s));
            if (act.id == IDC_TABLE_COMBO && !s.combo_texts[1].empty()) return escaped(s.combo_texts[1]);
            if (act.id == IDC_PATTERN_COMBO && !s.combo_texts[2].empty()) return escaped(s.combo_texts[2]);
            return "entry " + std::to_string(act.item + 1) + " of " + std::to_string(act.id);
        case ActKind::radio: {
            const int reel = radio_reel(act.id);
            const bool press = parent && parent->press_reel == reel && reel > 0;
            return std::string(reel_names[reel]) + (press ? " press " : " stop ") +
                   std::to_string(act.id - stop_radio_id(reel, 0) + 1);
        }
        case ActKind::button:
            // the buttons' caption: select
            if (act.id == IDC_SELECT_CENTER) return "center &#36984;&#25246;";
            if (act.id == IDC_SELECT_RIGHT) return "right &#36984;&#25246;";
            return "button " + std::to_string(act.id);
        case ActKind::other: break;
    }
    return "?";
}

std::string role_page_name(const Group& g) {
    return "role-" + std::to_string(g.bet) + "-" + std::to_string(g.order) + "-" + std::to_string(g.role) + ".html";
}

// Cuts the largest subtrees off until what stays on the page of `n` is at
// most situations_per_page; returns that count.
int cut_pages(Tree& tree, int n) {
    int kept = 1;
    std::vector<std::pair<int, int>> inline_children;  // (situations, child)
    for (int child : tree.children[static_cast<std::size_t>(n)]) {
        const int count = cut_pages(tree, child);
        inline_children.emplace_back(count, child);
        kept += count;
    }
    std::sort(inline_children.begin(), inline_children.end());
    while (kept > situations_per_page && !inline_children.empty()) {
        tree.own_page[static_cast<std::size_t>(inline_children.back().second)] = true;
        kept -= inline_children.back().first;
        inline_children.pop_back();
    }
    return kept;
}

void place_on_pages(Tree& tree, int n, int page) {
    const std::size_t i = static_cast<std::size_t>(n);
    if (tree.own_page[i]) {
        Page p;
        p.group = tree.group[i];
        p.root = n;
        const Group& g = tree.groups[static_cast<std::size_t>(p.group)];
        p.name = role_page_name(g);
        if (g.root != n) p.name.insert(p.name.size() - 5, "-s" + std::to_string(n + 1));
        page = static_cast<int>(tree.pages.size());
        tree.pages.push_back(p);
    }
    tree.page[i] = page;
    ++tree.pages[static_cast<std::size_t>(page)].count;
    for (int child : tree.children[i]) place_on_pages(tree, child, page);
}

Tree build_tree(const Atlas& atlas) {
    const std::size_t count = atlas.situations.size();
    Tree tree;
    tree.parent.assign(count, -1);
    tree.children.resize(count);
    tree.act.assign(count, RoadAct{RoadAct::Verb::menu, 0, 0});
    tree.label.resize(count);
    tree.group.assign(count, -1);
    tree.page.assign(count, -1);
    tree.own_page.assign(count, false);

    std::unordered_map<std::string, int> by_road;
    by_road.reserve(count * 2);
    for (std::size_t n = 0; n < count; ++n) {
        const Situation& s = atlas.situations[n];
        by_road.emplace(join_road(s.road, s.road.size()), static_cast<int>(n));
    }
    std::unordered_map<int, int> group_of_key;
    for (std::size_t n = 0; n < count; ++n) {
        const Situation& s = atlas.situations[n];
        if (!s.road.empty()) {
            tree.act[n] = s.road.back();
            const auto found = by_road.find(join_road(s.road, s.road.size() - 1));
            if (found != by_road.end()) tree.parent[n] = found->second;
        }
        const PanelState& st = s.engine.state;
        const int key = (st.bet * stop_order_count + st.stop_order) * (role_count + 1) + st.role + 1;
        auto [it, added] = group_of_key.emplace(key, static_cast<int>(tree.groups.size()));
        if (added) {
            Group g;
            g.bet = st.bet;
            g.order = st.stop_order;
            g.role = st.role;
            g.title = escaped(bet_text(s)) + arrow + escaped(stop_order_text(s)) + arrow + escaped(role_text(s));
            tree.groups.push_back(g);
        }
        tree.group[n] = it->second;
        ++tree.groups[static_cast<std::size_t>(it->second)].count;
    }
    for (std::size_t n = 0; n < count; ++n) {
        const int p = tree.parent[n];
        // a road that does not start at its role's root starts a tree of its own
        if (p >= 0 && tree.group[static_cast<std::size_t>(p)] != tree.group[n]) tree.parent[n] = -1;
        const Situation* parent = tree.parent[n] >= 0 ? &atlas.situations[static_cast<std::size_t>(tree.parent[n])] : nullptr;
        tree.label[n] = choice_label(atlas.situations[n], parent, tree.act[n]);
        if (tree.parent[n] >= 0) {
            tree.children[static_cast<std::size_t>(tree.parent[n])].push_back(static_cast<int>(n));
        } else {
            Group& g = tree.groups[static_cast<std::size_t>(tree.group[n])];
            if (g.root < 0 || atlas.situations[n].road.size() < atlas.situations[static_cast<std::size_t>(g.root)].road.size())
                g.root = static_cast<int>(n);
        }
    }
    for (auto& children : tree.children)
        std::sort(children.begin(), children.end(), [&](int a, int b) {
            return act_before(tree.act[static_cast<std::size_t>(a)], tree.act[static_cast<std::size_t>(b)]);
        });
    // Other roots of a group (none in a complete walk) hang below the group's root.
    for (std::size_t n = 0; n < count; ++n) {
        const int root = tree.groups[static_cast<std::size_t>(tree.group[n])].root;
        if (tree.parent[n] < 0 && root != static_cast<int>(n)) {
            tree.parent[n] = root;
            tree.children[static_cast<std::size_t>(root)].push_back(static_cast<int>(n));
        }
    }
    for (const Group& g : tree.groups) {
        tree.own_page[static_cast<std::size_t>(g.root)] = true;
        cut_pages(tree, g.root);
        place_on_pages(tree, g.root, -1);
    }
    return tree;
}

std::string page_head(std::string_view title) {
    std::string out =
        "<!doctype html>\n<html lang=ja><meta charset=utf-8>"
        "<meta name=viewport content=\"width=device-width,initial-scale=1\">"
        "<link rel=stylesheet href=atlas.css><title>";
    out += title;
    out += " &ndash; reel-control atlas</title>\n"
           "<nav><a href=index.html>atlas</a> <a href=lookup.html>reverse lookup</a> "
           "<a href=../index.html>viewer</a></nav>\n";
    return out;
}

// The link to a situation from page `from`.
void situation_href(std::string& out, const Tree& tree, int n, int from) {
    const int page = tree.page[static_cast<std::size_t>(n)];
    if (page != from) out += tree.pages[static_cast<std::size_t>(page)].name;
    out += "#s" + std::to_string(n + 1);
}

const char* picture_symbol(std::string_view picture) {
    for (const auto& set : symbol_bitmap_names)
        for (int code = 0; code < symbol_blank; ++code)
            if (picture == set[static_cast<std::size_t>(code)]) return symbol_names[static_cast<std::size_t>(code)];
    return "";
}

// One situation, drawn like the panel: the three columns with their strips,
// row 21 at the top, and the window.
void write_situation(std::string& out, const Atlas& atlas, const Tree& tree, int n) {
    const std::size_t i = static_cast<std::size_t>(n);
    const Situation& s = atlas.situations[i];
    const int page = tree.page[i];
    out += "<section id=s" + std::to_string(n + 1) + "><h2>";
    std::vector<int> path;
    for (int a = tree.parent[i]; a >= 0 && tree.parent[static_cast<std::size_t>(a)] >= 0; a = tree.parent[static_cast<std::size_t>(a)])
        path.push_back(a);
    for (auto a = path.rbegin(); a != path.rend(); ++a) {
        out += "<a href=";
        situation_href(out, tree, *a, page);
        out += ">" + tree.label[static_cast<std::size_t>(*a)] + "</a>";
        out += arrow;
    }
    out += tree.label[i];
    out += "</h2>\n<p class=m>";
    const PanelState& st = s.engine.state;
    out += st.slide_table ? "table " + std::to_string(st.slide_table) : std::string("no table yet");
    if (!s.combo_texts[1].empty()) out += " &middot; table combo " + escaped(s.combo_texts[1]);
    if (!s.combo_texts[2].empty()) out += " &middot; " + escaped(s.combo_texts[2]);
    if (const std::string stops = stops_text(s); !stops.empty()) out += " &middot; clicked " + stops;
    if (s.press_reel) out += std::string(" &middot; <b>choose the ") + reel_names[s.press_reel] + " press</b>";
    out += "<span class=v> &middot; <a href=\"../index.html#road=" + uri_component(join_road(s.road, s.road.size())) +
           "\">open in the viewer</a></span>\n<div class=\"pn";
    if (st.layout_variant) out += " v1";
    out += "\">";

    std::array<const PressRow*, position_count> press{};
    for (const PressRow& row : s.rows)
        if (row.reel == s.press_reel && s.press_reel) press[static_cast<std::size_t>(row.press)] = &row;
    for (int reel = 0; reel < reel_count; ++reel) {
        out += "<div class=rl><img src=../pictures/";
        out += strip_bitmap_names[static_cast<std::size_t>(st.layout_variant & 1)][static_cast<std::size_t>(reel)];
        out += ".bmp alt=\"\"><ol>";
        const bool choice = reel == s.press_reel && s.press_reel && press[0];
        for (int row = position_count - 1; row >= 0; --row) {
            const ShownRow& shown = s.shown[static_cast<std::size_t>(reel)][static_cast<std::size_t>(row)];
            const PressRow* outcome = choice ? press[static_cast<std::size_t>(row)] : nullptr;
            const bool greyed = shown.greyed || (outcome && outcome->greyed);
            std::string classes;
            if (shown.radio) classes += shown.checked ? "c" : "r";
            if (greyed) classes += classes.empty() ? "g" : " g";
            if (outcome) classes += classes.empty() ? "p" : " p";
            out += "<li";
            if (!classes.empty()) out += classes.find(' ') == std::string::npos ? " class=" + classes : " class=\"" + classes + "\"";
            out += '>';
            if (outcome) {
                out += static_cast<char>('0' + outcome->slide);
                if (outcome->switches_to) out += "<b>&rarr;" + std::to_string(outcome->switches_to) + "</b>";
                if (outcome->entries) out += "<b>" + std::to_string(outcome->entries) + "&times;</b>";
            } else if (shown.slide != ' ') {
                out += shown.slide;
            }
        }
        out += "</ol></div>";
    }
    out += "<div class=w>";
    for (const std::string& picture : s.window) out += "<img src=../pictures/" + picture + ".bmp alt=\"" + picture_symbol(picture) + "\">";
    out += "</div></div>\n";
    const std::vector<int>& children = tree.children[i];
    if (!children.empty()) {
        out += "<p class=n>next:";
        for (int child : children) {
            out += " <a href=";
            situation_href(out, tree, child, page);
            out += ">" + tree.label[static_cast<std::size_t>(child)] + "</a>";
        }
        out += '\n';
    }
    out += "</section>\n";
}

// The contents of a page: its tree as nested lists; parts on other pages as links.
void write_contents(std::string& out, const Tree& tree, int n, int page) {
    out += "<li><a href=";
    situation_href(out, tree, n, page);
    out += ">" + tree.label[static_cast<std::size_t>(n)] + "</a>";
    const std::vector<int>& children = tree.children[static_cast<std::size_t>(n)];
    if (tree.page[static_cast<std::size_t>(n)] != page) {
        int count = 0;
        for (const Page& p : tree.pages)
            if (p.root == n) count = p.count;
        out += " <small>(own page, " + std::to_string(count) + ")</small>\n";
        return;
    }
    // the leaves on one line, the rest nested
    const auto leaf = [&](int child) {
        return tree.page[static_cast<std::size_t>(child)] == page && tree.children[static_cast<std::size_t>(child)].empty();
    };
    const char* separator = ": ";
    for (int child : children) {
        if (!leaf(child)) continue;
        out += separator;
        separator = ", ";
        out += "<a href=#s" + std::to_string(child + 1) + ">" + tree.label[static_cast<std::size_t>(child)] + "</a>";
    }
    if (std::any_of(children.begin(), children.end(), [&](int child) { return !leaf(child); })) {
        out += "<ul>";
        for (int child : children)
            if (!leaf(child)) write_contents(out, tree, child, page);
        out += "</ul>";
    }
    out += '\n';
}

void write_sections(std::string& out, const Atlas& atlas, const Tree& tree, int n, int page) {
    if (tree.page[static_cast<std::size_t>(n)] != page) return;
    write_situation(out, atlas, tree, n);
    for (int child : tree.children[static_cast<std::size_t>(n)]) write_sections(out, atlas, tree, child, page);
}

std::string role_page(const Atlas& atlas, const Tree& tree, int page_index) {
    const Page& page = tree.pages[static_cast<std::size_t>(page_index)];
    const Group& g = tree.groups[static_cast<std::size_t>(page.group)];
    std::string out = page_head(g.title);
    out.reserve(static_cast<std::size_t>(page.count) * 2000);
    out += "<h1>" + g.title + "</h1>\n<p>" + std::to_string(page.count) + " of the " + std::to_string(g.count) +
           " situations of this role";
    if (page.root != g.root) {
        out += ", from <a href=";
        situation_href(out, tree, page.root, -1);
        out += ">" + tree.label[static_cast<std::size_t>(page.root)] + "</a> on; the tree starts on <a href=" +
               role_page_name(g) + ">its first page</a>";
    }
    out += ". Each column shows the rows 21 (top) to 1 with their slide; &#9675; a stop the reel can reach, "
           "&#9679; the chosen stop, grey a row the press choice greys; in a press choice, "
           "<i>italic</i> the slide a press gives, <b>&rarr;T</b> the table it puts in force, "
           "<b>n&times;</b> the entries it offers.\n<details class=toc open><summary>Contents</summary><ul>";
    write_contents(out, tree, page.root, page_index);
    out += "</ul></details>\n";
    write_sections(out, atlas, tree, page.root, page_index);
    return out;
}

std::string index_page(const Tree& tree, std::size_t situations, const windows::Model* model) {
    std::string out = page_head("Index");
    out += "<h1>Reel-control atlas</h1>\n<p>Every situation the panel can reach: " + std::to_string(situations) +
           " situations in " + std::to_string(tree.groups.size()) +
           " trees of choices, one for each bet, stop order and role. The numbers are the situations of a tree. "
           "<a href=lookup.html>Reverse lookup</a>: the presses that put a symbol on a line of a reel.\n"
           "<p><a href=../judge.html>出目の判定 (the judge)</a>: which roles a window can come from.\n"
           "<p><a href=../practice.html>目押し練習 (practice)</a>: the reels at the machine's speed, stopped as its control stops them.\n";
    std::unordered_map<int, int> by_key;
    for (std::size_t n = 0; n < tree.groups.size(); ++n) {
        const Group& g = tree.groups[n];
        by_key[(g.bet * stop_order_count + g.order) * role_count + g.role] = static_cast<int>(n);
    }
    for (int bet = 0; bet < bet_count; ++bet) {
        out += "<h2>" + escaped(cp932_to_utf8(bet_names[static_cast<std::size_t>(bet)])) + "</h2>\n<table><tr><th>";
        for (int order = 0; order < stop_order_count; ++order)
            out += "<th>" + escaped(cp932_to_utf8(stop_order_names[static_cast<std::size_t>(order)]));
        for (int role : role_list_order) {
            out += "\n<tr><th>" + escaped(cp932_to_utf8(role_names[static_cast<std::size_t>(role)]));
            for (int order = 0; order < stop_order_count; ++order) {
                const auto found = by_key.find((bet * stop_order_count + order) * role_count + role);
                if (found == by_key.end()) {
                    out += "<td>&ndash;";
                    continue;
                }
                const Group& g = tree.groups[static_cast<std::size_t>(found->second)];
                out += "<td><a href=" + role_page_name(g) + ">" + std::to_string(g.count) + "</a>";
            }
        }
        if (model) {
            // What the windows tell at each stop order (the judge, docs/windows.md).
            out += "\n<tr><th>出目 windows";
            for (int order = 0; order < stop_order_count; ++order) {
                const windows::WindowCount c = windows::count_whole_windows(*model, bet, order);
                out += "<td><a href=\"../judge.html#bet=" + std::to_string(bet) + "&amp;order=" + std::to_string(order) +
                       "\">" + std::to_string(c.windows) + " windows, " + std::to_string(c.bonus_only) + " bonus-only</a>";
            }
        }
        out += "\n</table>\n";
    }
    return out;
}

std::string lookup_page() {
    std::string out = page_head("Reverse lookup");
    out += "<h1>Reverse lookup</h1>\n<p>Choose a reel, a line of the window and a symbol: the list gives, for every "
           "situation where the reel's column is shown, the press positions that stop the reel with the symbol on "
           "that line (the stop they give in parentheses; grey: greyed in a press choice).\n"
           "<form id=f><p><label>bet <select id=bet></select></label> <label>stop order <select id=order></select></label> "
           "<label>role <select id=role></select></label><p><label>reel <select id=reel></select></label> "
           "<label>line <select id=line></select></label><p id=symbols></form>\n"
           "<p id=sum>Loading&hellip;<ol id=out></ol><p><button id=more hidden>more</button>\n"
           "<script src=lookup-data.js></script><script src=lookup.js></script>\n";
    return out;
}

// The lookup's data: names, strips, pages, and per situation, in the order of
// the trees: [number, tree, parent (position in this list) or -1, label, page,
// then for each reel its column (an index into "columns") or -1]. A column
// has a letter per press, the stop it gives ('a' row 1 .. 'u' row 21, upper
// case when greyed), after a '~' in a press choice.
std::string lookup_data(const Atlas& atlas, const Tree& tree) {
    JsonWriter json(JsonWriter::Separators::compact);
    json.begin_object();
    const auto names = [&](const char* key, const auto& list) {
        json.key(key).begin_array();
        for (const char* name : list) json.value(cp932_to_utf8(name));
        json.end_array();
    };
    names("bets", bet_names);
    names("orders", stop_order_names);
    names("roles", role_names);
    json.key("role_order").begin_array();
    for (int role : role_list_order) json.value(role);
    json.end_array().key("reels").begin_array();
    for (const char* reel : reel_names) json.value(reel);
    json.end_array().key("lines").begin_array().value("bottom").value("middle").value("top").end_array();
    json.key("symbols").begin_array();
    for (int code = 0; code < symbol_blank; ++code) json.value(symbol_names[static_cast<std::size_t>(code)]);
    json.end_array().key("pictures").begin_array();
    for (int code = 0; code < symbol_blank; ++code) json.value(symbol_bitmap_names[0][static_cast<std::size_t>(code)]);
    json.end_array().key("strips").begin_array();
    for (const auto& strip : reel_strips) {
        json.begin_array();
        for (const auto symbol : strip) json.value(static_cast<int>(symbol));
        json.end_array();
    }
    json.end_array().key("groups").begin_array();
    for (const Group& g : tree.groups) json.begin_array().value(g.bet).value(g.order).value(g.role).end_array();
    json.end_array().key("pages").begin_array();
    for (const Page& page : tree.pages) json.value(page.name);
    json.end_array();
    // labels are HTML already; the page puts them in as such
    std::unordered_map<std::string, int> label_ids;
    std::vector<const std::string*> labels;
    std::unordered_map<std::string, int> column_ids;
    std::vector<const std::string*> columns;
    // the situations in the order of the trees, the trees by bet, stop order and the role combo's order
    std::vector<int> order;
    order.reserve(atlas.situations.size());
    std::vector<int> roots;
    for (const Group& g : tree.groups) roots.push_back(g.root);
    const auto rank = [&](int n) {
        const Group& g = tree.groups[static_cast<std::size_t>(tree.group[static_cast<std::size_t>(n)])];
        const auto at = std::find(role_list_order.begin(), role_list_order.end(), g.role) - role_list_order.begin();
        return (g.bet * stop_order_count + g.order) * role_count + static_cast<int>(at);
    };
    std::sort(roots.begin(), roots.end(), [&](int a, int b) { return rank(a) < rank(b); });
    const auto visit = [&](const auto& self, int n) -> void {
        order.push_back(n);
        for (int child : tree.children[static_cast<std::size_t>(n)]) self(self, child);
    };
    for (int root : roots) visit(visit, root);
    std::vector<int> position(atlas.situations.size(), -1);
    for (std::size_t k = 0; k < order.size(); ++k) position[static_cast<std::size_t>(order[k])] = static_cast<int>(k);

    // written after the labels and columns they refer to, which they collect
    JsonWriter situations(JsonWriter::Separators::compact);
    situations.begin_array();
    for (const int at : order) {
        const std::size_t n = static_cast<std::size_t>(at);
        const Situation& s = atlas.situations[n];
        auto [label, added] = label_ids.emplace(tree.label[n], static_cast<int>(labels.size()));
        if (added) labels.push_back(&label->first);
        const int parent = tree.parent[n] >= 0 ? position[static_cast<std::size_t>(tree.parent[n])] : -1;
        situations.begin_array().value(static_cast<int>(n) + 1).value(tree.group[n]).value(parent).value(label->second).value(tree.page[n]);
        std::array<std::string, reel_count> stops;
        for (const PressRow& row : s.rows) {
            std::string& text = stops[static_cast<std::size_t>(row.reel)];
            if (text.empty() && row.reel == s.press_reel && s.press_reel) text += '~';
            text += static_cast<char>((row.greyed ? 'A' : 'a') + row.stop);
        }
        for (const std::string& text : stops) {
            if (text.empty()) {
                situations.value(-1);
                continue;
            }
            auto [column, fresh] = column_ids.emplace(text, static_cast<int>(columns.size()));
            if (fresh) columns.push_back(&column->first);
            situations.value(column->second);
        }
        situations.end_array();
    }
    situations.end_array();
    json.key("labels").begin_array();
    for (const std::string* label : labels) json.value(*label);
    json.end_array().key("columns").begin_array();
    for (const std::string* column : columns) json.value(*column);
    json.end_array().line_break().key("situations").json(situations.str()).end_object();
    return json.str() + '\n';
}

bool put_file(const std::filesystem::path& path, const std::string& text, std::string& error) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    const bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0) return error = path.string() + ": cannot be written", false;
    if (!ok) error = path.string() + ": cannot be written";
    return ok;
}

}  // namespace

std::string uri_component(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
            std::string_view("-_.!~*'()").find(c) != std::string_view::npos) {
            out += c;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
    }
    return out;
}

bool write_html(const std::filesystem::path& dir, const Atlas& atlas, const windows::Model* model, HtmlReport& report,
                std::string& error) {
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    if (made) return error = dir.string() + ": " + made.message(), false;
    const Tree tree = build_tree(atlas);
    report = {};
    const auto put = [&](const std::string& name, const std::string& text, bool page) {
        report.bytes += text.size();
        if (page && text.size() > report.largest) {
            report.largest = text.size();
            report.largest_page = name;
        }
        return put_file(dir / name, text, error);
    };
    bool ok = put("atlas.css", atlas_css, false) && put("lookup.js", lookup_js, false) &&
              put("index.html", index_page(tree, atlas.situations.size(), model), true) && put("lookup.html", lookup_page(), true);
    for (std::size_t p = 0; ok && p < tree.pages.size(); ++p)
        ok = put(tree.pages[p].name, role_page(atlas, tree, static_cast<int>(p)), true);
    if (ok) {
        const std::string data = lookup_data(atlas, tree);
        report.lookup_bytes = data.size();
        // The same data as a script for a page opened from the files, where a
        // browser fetches nothing; lookup.js takes it when it is there.
        ok = put("lookup.json", data, false) &&
             put("lookup-data.js", "window.reelctlLookupData = " + data + ";\n", false);
    }
    report.pages = static_cast<int>(tree.pages.size());
    return ok;
}

}  // namespace reelctl::atlas
