#include "chunk_tree.h"

#include <cstring>

#include "scene/chunk_ids.h"

namespace {

// Containers and the size of the data that comes before their sub-chunks.
size_t payloadBeforeChildren(const std::vector<uint8_t>& bytes, const ChunkNode& node)
{
    ByteView view{bytes};
    switch (node.id) {
    case chunk::kMain: case chunk::kEditor: case chunk::kMaterial: case chunk::kAmbient: case chunk::kDiffuse:
    case chunk::kSpecular: case chunk::kShininess: case chunk::kShininessStrength: case chunk::kTransparency:
    case chunk::kTransparencyFalloff: case chunk::kReflectionBlur: case chunk::kSelfIllumination:
    case chunk::kTextureMap: case chunk::kTriangleMesh: case chunk::kKeyframer: case chunk::kMeshNode:
    case chunk::kBackground: case chunk::kAmbientLight:
        return 0;
    case chunk::kObject: return view.str(node.data).size() + 1;
    case chunk::kFaceList: return 2 + size_t(view.u16(node.data)) * 8;
    case chunk::kLight: return 12;
    case chunk::kCamera: return 32;
    default: return SIZE_MAX;  // a leaf
    }
}

}  // namespace

const ChunkNode* ChunkNode::child(uint16_t wanted) const
{
    for (const ChunkNode& c : children)
        if (c.id == wanted) return &c;
    return nullptr;
}

std::vector<const ChunkNode*> ChunkNode::all(uint16_t wanted) const
{
    std::vector<const ChunkNode*> found;
    for (const ChunkNode& c : children)
        if (c.id == wanted) found.push_back(&c);
    return found;
}

uint16_t ByteView::u16(size_t at) const { return uint16_t(bytes.at(at) | bytes.at(at + 1) << 8); }

uint32_t ByteView::u32(size_t at) const { return u16(at) | uint32_t(u16(at + 2)) << 16; }

float ByteView::f32(size_t at) const
{
    uint32_t bits = u32(at);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

std::string ByteView::str(size_t at) const
{
    std::string s;
    while (bytes.at(at) != 0) s += char(bytes.at(at++));
    return s;
}

bool parseChunk(const std::vector<uint8_t>& bytes, size_t offset, size_t end, ChunkNode& out)
{
    ByteView view{bytes};
    if (offset + 6 > end) return false;
    out.id = view.u16(offset);
    out.offset = offset;
    out.length = view.u32(offset + 2);
    out.data = offset + 6;
    if (out.length < 6 || offset + out.length > end) return false;
    size_t skip = payloadBeforeChildren(bytes, out);
    if (skip == SIZE_MAX) return true;
    for (size_t at = out.data + skip; at < offset + out.length;) {
        ChunkNode c;
        if (!parseChunk(bytes, at, offset + out.length, c)) return false;
        at += c.length;
        out.children.push_back(std::move(c));
    }
    return true;
}
