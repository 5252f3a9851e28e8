#include "vstgui/uidescription/uidescription.h"

#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/icontroller.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <expat.h>

#include <charconv>
#include <fstream>
#include <iterator>

namespace VSTGUI {

/** Turns the XML into a tree of nodes; refuses nesting deeper than any editor needs. */
class UIDescription::Parser
{
public:
    static constexpr size_t maxDepth = 64;

    std::unique_ptr<Node> parse(const std::string& text)
    {
        XML_Parser parser = XML_ParserCreate("UTF-8");
        if (!parser)
            return nullptr;
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &Parser::startElement, &Parser::endElement);
        const bool wellFormed = XML_Parse(parser, text.data(), static_cast<int>(text.size()),
                                          XML_TRUE) == XML_STATUS_OK;
        XML_ParserFree(parser);
        if (!wellFormed || tooDeep)
            return nullptr;
        return std::move(document);
    }

private:
    static void XMLCALL startElement(void* userData, const XML_Char* name,
                                     const XML_Char** attributes)
    {
        auto& self = *static_cast<Parser*>(userData);
        auto node = std::make_unique<Node>();
        node->name = name;
        for (size_t i = 0; attributes[i]; i += 2)
            node->attributes.setAttribute(attributes[i], attributes[i + 1]);
        Node* added = node.get();
        if (self.open.empty())
            self.document = std::move(node);
        else
            self.open.back()->children.push_back(std::move(node));
        self.open.push_back(added);
        if (self.open.size() > maxDepth)
            self.tooDeep = true;
    }

    static void XMLCALL endElement(void* userData, const XML_Char*)
    {
        static_cast<Parser*>(userData)->open.pop_back();
    }

    std::unique_ptr<Node> document;
    std::vector<Node*> open;
    bool tooDeep = false;
};

UIDescription::UIDescription(std::string path) : filePath(std::move(path)) {}

UIDescription::~UIDescription() = default;

bool UIDescription::parse()
{
    std::ifstream file(filePath, std::ios::binary);
    if (!file)
        return false;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return false;
    std::unique_ptr<Node> document = Parser().parse(text);
    if (!document || document->name != "vstgui-ui-description")
        return false;
    readSections(*document);
    root = std::move(document);
    return true;
}

void UIDescription::readSections(const Node& document)
{
    for (const auto& section : document.children)
    {
        for (const auto& entry : section->children)
        {
            const std::string* name = entry->attributes.getAttributeValue("name");
            if (!name)
                continue;
            if (section->name == "colors" && entry->name == "color")
            {
                CColor color;
                const std::string* rgba = entry->attributes.getAttributeValue("rgba");
                if (rgba && parseColor(*rgba, color))
                    colors[*name] = color;
            }
            else if (section->name == "control-tags" && entry->name == "control-tag")
            {
                const std::string* tag = entry->attributes.getAttributeValue("tag");
                if (!tag)
                    continue;
                int32_t number = 0;
                const char* end = tag->data() + tag->size();
                const auto result = std::from_chars(tag->data(), end, number);
                if (result.ec == std::errc() && result.ptr == end)
                    controlTags[*name] = number;
            }
        }
        if (section->name == "template")
        {
            if (const std::string* name = section->attributes.getAttributeValue("name"))
                templates[*name] = section.get();
        }
    }
}

CView* UIDescription::createView(UTF8StringPtr templateName, IController* controller) const
{
    if (!templateName || !controller)
        return nullptr;
    const auto found = templates.find(templateName);
    if (found == templates.end())
        return nullptr;
    IController* const previous = servingController;
    CView* view = buildView(*found->second, controller);
    servingController = previous;
    return view;
}

CView* UIDescription::buildView(const Node& node, IController* controller) const
{
    IController* serving = controller;
    std::unique_ptr<IController> subController;
    if (const std::string* name = node.attributes.getAttributeValue("sub-controller"))
    {
        subController.reset(controller->createSubController(name->c_str(), this));
        if (subController)
            serving = subController.get();
    }
    servingController = serving;

    const UIViewFactory factory;
    const std::string* className = node.attributes.getAttributeValue("class");
    CView* view = serving->createView(node.attributes, this);
    if (view && className)
        factory.applyAttributes(view, className->c_str(), node.attributes, this);
    if (!view)
        view = factory.createView(node.attributes, this);
    if (!view)
        return nullptr;

    if (auto* container = dynamic_cast<CViewContainer*>(view))
    {
        for (const auto& child : node.children)
        {
            if (child->name != "view")
                continue;
            if (CView* childView = buildView(*child, serving))
                container->addView(childView);
        }
        servingController = serving;
    }

    CView* verified = serving->verifyView(view, node.attributes, this);
    if (verified != view)
        view->forget();
    if (verified && subController)
        verified->setOwnedController(std::move(subController));
    return verified;
}

bool UIDescription::getColor(UTF8StringPtr name, CColor& color) const
{
    if (!name)
        return false;
    const auto found = colors.find(name);
    if (found != colors.end())
    {
        color = found->second;
        return true;
    }
    return parseColor(name, color);
}

int32_t UIDescription::getTagForName(UTF8StringPtr name) const
{
    if (!name)
        return -1;
    const auto found = controlTags.find(name);
    const int32_t registered = found == controlTags.end() ? -1 : found->second;
    return servingController ? servingController->getTagForName(name, registered) : registered;
}

IControlListener* UIDescription::getControlListener(UTF8StringPtr name) const
{
    return servingController ? servingController->getControlListener(name) : nullptr;
}

const UIAttributes* UIDescription::getViewAttributes(UTF8StringPtr templateName) const
{
    if (!templateName)
        return nullptr;
    const auto found = templates.find(templateName);
    return found == templates.end() ? nullptr : &found->second->attributes;
}

bool UIDescription::parseColor(const std::string& text, CColor& color)
{
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#')
        return false;
    uint8_t channels[4] = {0, 0, 0, 255};
    for (size_t i = 0; i < (text.size() - 1) / 2; ++i)
    {
        const char* first = text.data() + 1 + 2 * i;
        const auto result = std::from_chars(first, first + 2, channels[i], 16);
        if (result.ec != std::errc() || result.ptr != first + 2)
            return false;
    }
    color = CColor(channels[0], channels[1], channels[2], channels[3]);
    return true;
}

} // namespace VSTGUI
