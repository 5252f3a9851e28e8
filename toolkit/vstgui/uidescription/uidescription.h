#pragma once

#include "vstgui/uidescription/iuidescription.h"
#include "vstgui/uidescription/uiattributes.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

class CView;

/**
 * A UI description read from an XML file: named colours, control tags by name and templates of
 * nested views. It builds a template's views through the view factory, served by a controller
 * and by the sub-controllers that elements with a "sub-controller" attribute ask for.
 */
class UIDescription : public IUIDescription
{
public:
    explicit UIDescription(std::string filePath);
    ~UIDescription() override;

    /** Reads the file; false when it is missing, unreadable or not a well-formed description. */
    bool parse();

    /**
     * The views of a template, the root's first reference the caller's; null when there is no
     * such template or its root element builds no view. Every view passes through the
     * verifyView of the controller that serves it; a sub-controller is owned by the view of its
     * element and deleted after that view's children.
     */
    CView* createView(UTF8StringPtr templateName, IController* controller) const;

    bool getColor(UTF8StringPtr name, CColor& color) const override;
    int32_t getTagForName(UTF8StringPtr name) const override;
    IControlListener* getControlListener(UTF8StringPtr name) const override;
    IController* getController() const override { return servingController; }
    const UIAttributes* getViewAttributes(UTF8StringPtr templateName) const override;

    /** The colour of #RRGGBB or #RRGGBBAA. */
    static bool parseColor(const std::string& text, CColor& color);

private:
    struct Node
    {
        std::string name;
        UIAttributes attributes;
        std::vector<std::unique_ptr<Node>> children;
    };
    class Parser;

    void readSections(const Node& document);
    CView* buildView(const Node& node, IController* controller) const;

    std::string filePath;
    std::unique_ptr<Node> root;
    std::map<std::string, CColor> colors;
    std::map<std::string, int32_t> controlTags;
    std::map<std::string, const Node*> templates;
    mutable IController* servingController = nullptr;
};

} // namespace VSTGUI
