function check_png(file, height, width, colours, bands)
% Decodes a PNG drawn by wave.m and stops with an error unless it has the
% given size, is not blank, and shows each named curve colour in each of
% `bands` equal horizontal bands of the image (one band per stacked panel).
% Colours: 'blue' for pure blue, 'c1'..'c4' for the first entries of the
% default colour order.  A pixel counts for a colour when it is saturated
% enough and its hue is close: anti-aliased thin lines keep their hue even
% where they are blended with the white background.
  ref = struct('blue', [0 0 255], 'c1', [0 114 189], 'c2', [217 83 25], ...
               'c3', [237 177 32], 'c4', [126 47 142]);
  x = imread(file);
  if size(x, 1) ~= height || size(x, 2) ~= width || size(x, 3) ~= 3
    error('%s: decoded size %s, expected %dx%dx3', file, mat2str(size(x)), height, width);
  end
  p = double(reshape(x, [], 3)) / 255;
  ncol = size(unique(p, 'rows'), 1);
  if ncol < 50
    error('%s: only %d distinct colours, the image is (nearly) blank', file, ncol);
  end
  hsv = reshape(rgb2hsv(p), height, width, 3);
  coloured = hsv(:, :, 2) > 0.1 & hsv(:, :, 3) > 0.3;
  edges = round(linspace(0, height, bands + 1));
  for k = 1:numel(colours)
    h = rgb2hsv(ref.(colours{k}) / 255);
    d = abs(hsv(:, :, 1) - h(1));
    near = coloured & min(d, 1 - d) < 0.03;
    for b = 1:bands
      n = nnz(near(edges(b) + 1:edges(b + 1), :));
      % A legend sample line alone gives well under 200 such pixels.
      if n < 500
        error('%s: colour %s has %d pixels in band %d of %d, a curve is missing', ...
              file, colours{k}, n, b, bands);
      end
    end
  end
  printf('%s: %dx%d, %d colours, curves present\n', file, width, height, ncol);
end
