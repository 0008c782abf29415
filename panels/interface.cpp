#include "panels/interface.h"

#include <new>

#include "framework/host_services.h"
#include "panels/control_column.h"
#include "panels/control_group.h"
#include "panels/panel_callbacks.h"

namespace pelorix3 {

namespace {

constexpr const char* noPanelServices = "Couldn't get Panel services. Please add plugin lwpanels.p";
constexpr const char* needGroup = "Need a ControlGroup!";
constexpr int openFlags = PANF_BLOCKING | PANF_CANCEL | PANF_FRAME;
constexpr int frameWidth = 16;
constexpr int frameHeight = 40;

}  // namespace

Interface::Interface(ShadingServer* owner) : handler(owner) { acquirePanelServices(); }

Interface::~Interface() { children.deleteAll(); }

ControlGroup* Interface::openGroup() const {
    return groupOpen == 1 ? static_cast<ControlGroup*>(children.last()) : nullptr;
}

bool Interface::openTopLevelGroup(int marginX, int marginY) {
    auto* group = new (std::nothrow) ControlGroup(marginX, marginY);
    if (group == nullptr) return false;
    group->owner = this;
    if (!children.push(group)) {
        delete group;
        return false;
    }
    groupOpen = 1;
    return true;
}

void Interface::beginGroup(int marginX, int marginY) {
    if (ControlGroup* group = openGroup()) {
        group->beginGroup(marginX, marginY);
    } else if (!openTopLevelGroup(marginX, marginY)) {
        return;
    }
    beginRow();
    beginColumn();
}

void Interface::endGroup() {
    endColumn();
    endRow();
    if (ControlGroup* group = openGroup()) {
        if (group->endGroup() == 0) groupOpen = 0;
    }
}

void Interface::beginRow() {
    if (ControlGroup* group = openGroup()) {
        group->beginRow();
    } else {
        showMessage("ERROR: Interface::beginRow:", needGroup);
    }
}

void Interface::endRow() {
    if (ControlGroup* group = openGroup()) {
        group->endRow();
    } else {
        showMessage("ERROR: Interface::endRow:", needGroup);
    }
}

void Interface::beginColumn() {
    if (ControlGroup* group = openGroup()) {
        group->beginColumn();
    } else {
        showMessage("ERROR: Interface::beginColumn:", needGroup);
    }
}

void Interface::endColumn() {
    if (ControlGroup* group = openGroup()) {
        group->endColumn();
    } else {
        showMessage("ERROR: Interface::endColumn:", needGroup);
    }
}

void Interface::add(Control* control) {
    if (control == nullptr) return;
    control->owner = this;
    if (ControlGroup* group = openGroup()) {
        addToOpenGroup(*group, control);
    } else {
        attach(children, control);
    }
}

HostError Interface::acquirePanelServices() {
    panelServices = static_cast<PanelServices*>(lookupGlobal(HOST_PANEL_SERVICES));
    return panelServices ? nullptr : noPanelServices;
}

void Interface::draw(void* /*data*/, int mode) { children.drawAll(mode); }

void Interface::redraw() { draw(nullptr, DR_REFRESH); }

bool Interface::servicesUsable() const {
    const PanelServices* services = panelServices;
    return services && services->create && services->destroy && services->open && services->set &&
           services->addControl;
}

void Interface::createControls() { children.createAll(); }

void Interface::fetchValues() { children.fetchAll(); }

int Interface::open() {
    if (!servicesUsable()) {
        showMessage(noPanelServices, "");
        return panelUnavailable;
    }
    hostPanel = panelServices->create(title, panelServices);
    if (hostPanel == nullptr) return panelUnavailable;
    createControls();
    panelServices->set(hostPanel, PAN_W, &width);
    panelServices->set(hostPanel, PAN_H, &height);
    panelServices->set(hostPanel, PAN_USERDRAW, reinterpret_cast<void*>(onPanelDraw));
    if (panelServices->open(hostPanel, openFlags) != 0) fetchValues();
    panelServices->destroy(hostPanel);
    hostPanel = nullptr;
    return 0;
}

// Top-level children are stacked from the top, each given the whole panel width.
void Interface::layout() {
    width = children.widest() + frameWidth;
    height = children.sumOfHeights() + frameHeight;
    int position = 0;
    for (int i = 0; i < children.count(); ++i) {
        const int childHeight = children[i]->height();
        children[i]->place(0, position, width, childHeight);
        position += childHeight;
    }
}

}  // namespace pelorix3
