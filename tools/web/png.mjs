// Reads the PNG screenshots Chromium takes (8 bits per channel, grey, RGB or RGBA, not
// interlaced) into plain pixel rows, with nothing but Node's zlib.
import { inflateSync } from 'node:zlib';

const CHANNELS = { 0: 1, 2: 3, 4: 2, 6: 4 };  // by colour type

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// The filters undone in place, row by row: none, sub, up, average, Paeth.
function unfilter(raw, width, height, channels) {
  const stride = width * channels;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const row = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? pixels[y * stride + x - channels] : 0;
      const up = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const upLeft = y > 0 && x >= channels ? pixels[(y - 1) * stride + x - channels] : 0;
      const predictors = [0, left, up, (left + up) >> 1, paeth(left, up, upLeft)];
      pixels[y * stride + x] = (row[x] + predictors[filter]) & 0xff;
    }
  }
  return pixels;
}

export function decodePng(png) {
  let offset = 8;  // the signature
  let width = 0, height = 0, channels = 0;
  const data = [];
  while (offset < png.length) {
    const length = png.readUInt32BE(offset);
    const type = png.toString('latin1', offset + 4, offset + 8);
    const body = png.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0 || !(body[9] in CHANNELS))
        throw new Error('a PNG this reader does not take (depth, colour type or interlace)');
      channels = CHANNELS[body[9]];
    } else if (type === 'IDAT') {
      data.push(body);
    }
    offset += 12 + length;
  }
  return { width, height, channels, pixels: unfilter(inflateSync(Buffer.concat(data)), width, height, channels) };
}
