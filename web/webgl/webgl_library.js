// The page's side of the WebGL back end (web/webgl/gl_webgl_backend.cpp),
// linked into universe.js by emscripten as a JavaScript library
// (--js-library). WebGL 2 where the browser has it (primitive restart,
// instancing and vertex arrays built in), WebGL 1 otherwise or when the
// address asks for it (webgl=1), with the instancing extension where it
// exists. Up to three shader programs draw what the core records:
// the clip program draws vertices that the CPU transformed and lit, with a
// front and a back colour (immediate mode, bitmaps); the shape program
// draws the cached shapes from object-space arrays kept on the GPU,
// transforming and lighting each vertex with the matrices and lighting
// state of the moment as uniforms (the equation of web/gl/gl_lighting.cpp,
// as ShapeLighting reduces it); the group program, where instancing
// exists, draws immediate mode's triangles in groups, once per instance.
//
// The commands, uniforms and arrays are laid out as
// web/webgl/command_stream.h declares them. Every number of that layout is
// read from commandStreamLayout() (G.layout, below L) and checked at
// start-up against what the shaders declare; a layout that does not fit
// refuses the context, with a message.
//
// Emscripten writes each function below into universe.js on its own: one
// reaches the others through UniverseGL, never through this file's scope.
// The script keeps to its own names, so it does not touch emscripten's GL
// library.

mergeInto(LibraryManager.library, {
  $UniverseGL: {
    // The shaders. The fragment shader's lines are strings of their own, as
    // emscripten's preprocessor would take a line that begins with '#'. Back
    // faces take the back colour; lines and points carry the front colour in
    // both. highp where the device has it in fragment shaders.
    fragmentShader: [
      '#ifdef GL_FRAGMENT_PRECISION_HIGH',
      'precision highp float;',
      '#else',
      'precision mediump float;',
      '#endif',
      'varying vec4 frontColour;',
      'varying vec4 backColour;',
      'void main() { gl_FragColor = gl_FrontFacing ? frontColour : backColour; }',
      ''
    ].join('\n'),

    clipShader: `
      attribute vec4 position;
      attribute vec4 front;
      attribute vec4 back;
      varying vec4 frontColour;
      varying vec4 backColour;
      void main() {
        gl_Position = position;
        gl_PointSize = 1.0;
        frontColour = front;
        backColour = back;
      }
    `,

    // colour = clamp(base + max(N.L, 0) diffuse + s specular),
    // s = max(N.H, 0)^shininess where N.L > 0 (1 for 0^0), N the eye normal
    // turned by the face's sign (faceSign[0] is 1). Two-sided, at most one
    // face has N.L > 0, so one pow serves both; one-sided, the back's
    // uniforms are the front's.
    lightShader: `
      uniform vec3 toLight;
      uniform vec3 halfVector;
      uniform vec3 specular[2];
      uniform float shininess[2];
      uniform float faceSign[2];
      varying vec4 frontColour;
      varying vec4 backColour;
      void light(vec3 n, vec4 base0, vec4 base1, vec3 diffuse0, vec3 diffuse1) {
        float nl = dot(n, toLight), nh = dot(n, halfVector);
        float backNl = faceSign[1] * nl, backNh = faceSign[1] * nh;
        bool frontLit = nl > 0.0;
        float h = max(frontLit ? nh : backNh, 0.0);
        float shine = frontLit ? shininess[0] : shininess[1];
        float highlight = h > 0.0 ? pow(h, shine) : (shine == 0.0 ? 1.0 : 0.0);
        frontColour = vec4(clamp(base0.rgb + max(nl, 0.0) * diffuse0 +
          (frontLit ? highlight : 0.0) * specular[0], 0.0, 1.0), base0.a);
        backColour = vec4(clamp(base1.rgb + max(backNl, 0.0) * diffuse1 +
          (backNl > 0.0 ? highlight : 0.0) * specular[1], 0.0, 1.0), base1.a);
      }
    `,

    // After lightShader.
    shapeShader: `
      attribute vec3 position;
      attribute vec3 normal;
      uniform mat4 modelviewProjection;
      uniform mat3 normalMatrix;
      uniform vec4 base[2];
      uniform vec3 diffuse[2];
      void main() {
        gl_Position = modelviewProjection * vec4(position, 1.0);
        light(normalMatrix * normal, base[0], base[1], diffuse[0], diffuse[1]);
      }
    `,

    // After lightShader: immediate mode's triangles in groups drawn as
    // instances, the vertices with their colour's lighting terms, an
    // instance the modelview's first three rows. The normal goes through
    // the inverse transpose of the modelview's 3x3 block: its cofactors
    // (the rows' cross products) over its determinant.
    groupShader: `
      attribute vec3 position;
      attribute vec3 normal;
      attribute vec4 base0;
      attribute vec4 base1;
      attribute vec3 diffuse0;
      attribute vec3 diffuse1;
      attribute vec4 modelview0;
      attribute vec4 modelview1;
      attribute vec4 modelview2;
      uniform mat4 projection;
      void main() {
        vec4 p = vec4(position, 1.0);
        gl_Position = projection *
          vec4(dot(modelview0, p), dot(modelview1, p), dot(modelview2, p), 1.0);
        vec3 r0 = modelview0.xyz, r1 = modelview1.xyz, r2 = modelview2.xyz;
        vec3 c0 = cross(r1, r2), c1 = cross(r2, r0), c2 = cross(r0, r1);
        vec3 n = vec3(dot(c0, normal), dot(c1, normal), dot(c2, normal)) / dot(r0, c0);
        light(n, base0, base1, diffuse0, diffuse1);
      }
    `,

    // The layout's numbers the script reads besides its records' fields.
    numbers: ['vertexFloats', 'groupVertexFloats', 'instanceFloats', 'shapeUniforms',
      'groupUniforms', 'chunkWords', 'chunkFirstVertex', 'chunkFirstIndex', 'chunkIndexCount',
      'chunkMode', 'restartIndex', 'eventLost', 'eventRestored', 'eventShadersRefused', 'eventStreamBroken',
      'createNoWebGL', 'createShadersRefused', 'createLayoutRefused', 'createReady',
      'createReadyWithGroups'],
    // Each command's fields the script reads, after the op's name.
    records: {
      draw: ['Mode', 'BaseVertex', 'FirstIndex', 'Count'],
      state: ['X', 'Y', 'Width', 'Height', 'DepthTest', 'DepthFunc', 'DepthMask', 'CullFace',
        'CullMode', 'FrontFace'],
      clear: ['Mask', 'Red', 'Green', 'Blue', 'Alpha', 'Depth'],
      shape: ['Id', 'VertexCount', 'Indices', 'IndexCount', 'UniformsAt', 'Chunks', 'ChunkCount'],
      group: ['FirstVertex', 'VertexCount', 'FirstInstance', 'InstanceCount', 'UniformsAt']
    },
    lists: ['clipAttributes', 'shapeAttributes', 'groupAttributes', 'shapeUniformList',
      'groupUniformList'],
    indexBytes: Uint16Array.BYTES_PER_ELEMENT,  // indices are gl.UNSIGNED_SHORT
    floatBytes: Float32Array.BYTES_PER_ELEMENT,

    // Finds the canvas and creates the context with its programs and
    // buffers (Module.universeGL holds it all), and listens for its loss
    // and return: WebGL 2 unless the browser has none or the page asks for
    // WebGL 1 (Module.universeWebGL1), then WebGL 1; a context lost comes
    // back as the same one, on the same version. Answers one of the
    // layout's create results; a layout without them gets -1, which the
    // back end takes as refused too.
    create: function (selector, width, height, layoutJson) {
      var L = JSON.parse(layoutJson);
      var missing = UniverseGL.missingNumbers(L);
      if (missing) return UniverseGL.refuse(missing, -1);
      var canvas = document.querySelector(selector);
      if (!canvas) return L.createNoWebGL;
      canvas.width = width;
      canvas.height = height;
      var attributes = {antialias: false, depth: true, stencil: false, alpha: false,
        preserveDrawingBuffer: true, premultipliedAlpha: false};
      var gl = Module.universeWebGL1 ? null : canvas.getContext('webgl2', attributes);
      var version = gl ? 2 : 1;
      if (!gl) gl = canvas.getContext('webgl', attributes);
      if (!gl) return L.createNoWebGL;
      var G = {gl: gl, version: version, canvas: canvas, layout: L, lost: false, broken: false,
        state: null};
      try {
        UniverseGL.setUp(G);
      } catch (error) {
        return UniverseGL.refuse(error.message, L.createShadersRefused);
      }
      var mismatch = UniverseGL.layoutMismatch(G);
      if (mismatch) return UniverseGL.refuse(mismatch, L.createLayoutRefused);
      UniverseGL.listen(G);
      Module.universeGL = G;
      return G.group ? L.createReadyWithGroups : L.createReady;
    },

    // Keeps why the context was refused for webglShaderLog, and says it.
    refuse: function (message, result) {
      Module.universeGLLog = message;
      console.error(message);
      return result;
    },

    // The context's loss and return, told to the back end.
    listen: function (G) {
      var L = G.layout;
      G.canvas.addEventListener('webglcontextlost', function (event) {
        event.preventDefault();  // so that the browser may give it back
        G.lost = true;
        Module._webglContextEvent(L.eventLost);
      });
      G.canvas.addEventListener('webglcontextrestored', function () {
        try {
          UniverseGL.setUp(G);
        } catch (error) {
          Module.universeGLLog = error.message;
          Module._webglContextEvent(L.eventShadersRefused);
          return;
        }
        G.lost = false;
        Module._webglContextEvent(L.eventRestored);
      });
    },

    compile: function (gl, type, source, what) {
      var shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS) && !gl.isContextLost()) {
        throw new Error('shader ' + what + ': ' + gl.getShaderInfoLog(shader));
      }
      return shader;
    },

    // A program whose attributes take the locations 0, 1, 2... in the
    // order of the layout's list.
    link: function (gl, vertexSource, what, attributes) {
      var program = gl.createProgram();
      gl.attachShader(program, UniverseGL.compile(gl, gl.VERTEX_SHADER, vertexSource, what));
      gl.attachShader(program,
        UniverseGL.compile(gl, gl.FRAGMENT_SHADER, UniverseGL.fragmentShader, 'fragment'));
      attributes.forEach(function (a, location) { gl.bindAttribLocation(program, location, a.name); });
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, gl.LINK_STATUS) && !gl.isContextLost()) {
        throw new Error('program ' + what + ': ' + gl.getProgramInfoLog(program));
      }
      return program;
    },

    // Programs and buffers; again after a lost context comes back.
    setUp: function (G) {
      var gl = G.gl, L = G.layout;
      G.clip = UniverseGL.link(gl, UniverseGL.clipShader, 'clip', L.clipAttributes);
      G.shape = UniverseGL.link(gl, UniverseGL.lightShader + UniverseGL.shapeShader, 'shape',
        L.shapeAttributes);
      G.shapeUniforms = UniverseGL.uniforms(gl, G.shape, L.shapeUniformList);
      // What the shape program's uniforms hold: nothing yet (NaN equals nothing).
      G.held = new Float32Array(L.shapeUniforms).fill(NaN);
      G.attributeCount = Math.max(L.clipAttributes.length, L.shapeAttributes.length);
      UniverseGL.findInstancing(G);
      G.group = null;
      G.vao = null;  // WebGL 2: the vertex array bound
      G.base = -1;
      var groupAttributes = L.groupAttributes;
      if (G.drawInstanced && gl.getParameter(gl.MAX_VERTEX_ATTRIBS) >= groupAttributes.length) {
        G.group = UniverseGL.link(gl, UniverseGL.lightShader + UniverseGL.groupShader, 'group',
          groupAttributes);
        G.groupUniforms = UniverseGL.uniforms(gl, G.group, L.groupUniformList);
        // WebGL 2: the divisors belong to the group's vertex array.
        if (G.version === 2) G.groupVao = UniverseGL.newVertexArray(G, groupAttributes.length);
        groupAttributes.forEach(function (a, location) { G.divisor(location, a.divisor); });
        G.attributeCount = Math.max(G.attributeCount, groupAttributes.length);
        G.groupBuffer = gl.createBuffer();
        G.instanceBuffer = gl.createBuffer();
      }
      G.vertexBuffer = gl.createBuffer();
      G.indexBuffer = gl.createBuffer();
      if (G.version === 2) {
        G.clipVao = UniverseGL.newVertexArray(G, L.clipAttributes.length);
        gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, G.indexBuffer);
        UniverseGL.bindVertexArray(G, null);
      }
      G.bytes = {vertices: 0, indices: 0, groupVertices: 0, instances: 0};
      G.shapes = [];
      G.program = null;
      G.commands = UniverseGL.commands(L);
      if (G.state) UniverseGL.applyState(G, G.state);
    },

    // Instanced drawing: built into WebGL 2, the ANGLE_instanced_arrays
    // extension in WebGL 1 (G.instancing), or none (no groups drawn).
    findInstancing: function (G) {
      var gl = G.gl;
      G.instancing = null;
      G.divisor = G.drawInstanced = null;
      if (G.version === 2) {
        G.divisor = function (location, divisor) { gl.vertexAttribDivisor(location, divisor); };
        G.drawInstanced = function (mode, first, count, instances) {
          gl.drawArraysInstanced(mode, first, count, instances);
        };
        return;
      }
      var extension = G.instancing = gl.getExtension('ANGLE_instanced_arrays');
      if (!extension) return;
      G.divisor = function (location, divisor) {
        extension.vertexAttribDivisorANGLE(location, divisor);
      };
      G.drawInstanced = function (mode, first, count, instances) {
        extension.drawArraysInstancedANGLE(mode, first, count, instances);
      };
    },

    // WebGL 2: a new vertex array, bound, with its attributes below `count`
    // enabled.
    newVertexArray: function (G, count) {
      var vao = G.gl.createVertexArray();
      UniverseGL.bindVertexArray(G, vao);
      for (var a = 0; a < count; a++) G.gl.enableVertexAttribArray(a);
      return vao;
    },

    bindVertexArray: function (G, vao) {
      if (G.vao === vao) return;
      G.gl.bindVertexArray(vao);
      G.vao = vao;
    },

    // The commands by op: how each is drawn and its length in words.
    commands: function (L) {
      var commands = {};
      commands[L.draw] = {run: UniverseGL.drawClip, words: L.drawWords};
      commands[L.state] = {run: UniverseGL.stateCommand, words: L.stateWords};
      commands[L.clear] = {run: UniverseGL.clear, words: L.clearWords};
      commands[L.shape] = {run: UniverseGL.drawShape, words: L.shapeWords};
      commands[L.group] = {run: UniverseGL.drawGroup, words: L.groupWords};
      return commands;
    },

    // Each uniform of the layout's list with its location in `program`,
    // the floats it takes from a command's uniforms, and its setter by
    // its GLSL type.
    uniforms: function (gl, program, list) {
      var types = UniverseGL.activeVariables(gl, program, false);
      return list.map(function (u) {
        var type = types[u.name] ? types[u.name].type : gl.FLOAT;
        return {name: u.name, location: gl.getUniformLocation(program, u.name), at: u.at,
          end: u.at + u.size, set: UniverseGL.uniformSetter(gl, type)};
      });
    },

    uniformSetter: function (gl, type) {
      if (type === gl.FLOAT_MAT4) return function (l, v) { gl.uniformMatrix4fv(l, false, v); };
      if (type === gl.FLOAT_MAT3) return function (l, v) { gl.uniformMatrix3fv(l, false, v); };
      if (type === gl.FLOAT_VEC4) return function (l, v) { gl.uniform4fv(l, v); };
      if (type === gl.FLOAT_VEC3) return function (l, v) { gl.uniform3fv(l, v); };
      return function (l, v) { gl.uniform1fv(l, v); };
    },

    // The program's active attributes or uniforms by name (an array's
    // without its "[0]"): their GLSL type and floats.
    activeVariables: function (gl, program, attributes) {
      var floats = {};
      floats[gl.FLOAT] = 1;
      floats[gl.FLOAT_VEC2] = 2;
      floats[gl.FLOAT_VEC3] = 3;
      floats[gl.FLOAT_VEC4] = 4;
      floats[gl.FLOAT_MAT3] = 9;
      floats[gl.FLOAT_MAT4] = 16;
      var kind = attributes ? gl.ACTIVE_ATTRIBUTES : gl.ACTIVE_UNIFORMS;
      var variables = {};
      for (var k = 0, count = gl.getProgramParameter(program, kind); k < count; k++) {
        var info = attributes ? gl.getActiveAttrib(program, k) : gl.getActiveUniform(program, k);
        variables[info.name.replace(/\[0\]$/, '')] =
          {type: info.type, floats: (floats[info.type] || 0) * info.size};
      }
      return variables;
    },

    // The first of the layout's numbers and records' fields that is
    // missing or not a whole number, or its lists missing, as a message;
    // '' when all are there.
    missingNumbers: function (L) {
      var names = UniverseGL.numbers.slice();
      Object.keys(UniverseGL.records).forEach(function (op) {
        names.push(op, op + 'Words');
        UniverseGL.records[op].forEach(function (field) { names.push(op + field); });
      });
      for (var k = 0; k < names.length; k++) {
        if (!Number.isInteger(L[names[k]])) return 'layout: no number ' + names[k];
      }
      for (k = 0; k < UniverseGL.lists.length; k++) {
        if (!Array.isArray(L[UniverseGL.lists[k]])) return 'layout: no list ' + UniverseGL.lists[k];
      }
      return '';
    },

    // Whether the layout fits the script and its shaders: each record's
    // fields inside it and apart, the ops apart, each list's entries laid
    // end to end over its array, and each attribute and uniform of the
    // lists one of its program's, of as many floats. A message, or ''.
    layoutMismatch: function (G) {
      var gl = G.gl, L = G.layout, ops = {};
      for (var op in UniverseGL.records) {
        if (ops[L[op]]) return 'layout: ops ' + ops[L[op]] + ' and ' + op + ' share a code';
        ops[L[op]] = op;
        var fields = UniverseGL.records[op].map(function (f) { return L[op + f]; });
        var bad = fields.filter(function (at, k) {
          return at < 1 || at >= L[op + 'Words'] || fields.indexOf(at) !== k;
        });
        if (bad.length) return 'layout: the ' + op + ' record\'s fields overlap or lie outside it';
      }
      var vertex = L.groupAttributes.filter(function (a) { return !a.divisor; });
      var instance = L.groupAttributes.filter(function (a) { return a.divisor; });
      var checks = [
        UniverseGL.tiled('clipAttributes', L.clipAttributes, L.vertexFloats),
        UniverseGL.tiled('group vertex attributes', vertex, L.groupVertexFloats),
        UniverseGL.tiled('instance attributes', instance, L.instanceFloats),
        UniverseGL.tiled('shapeUniformList', L.shapeUniformList, L.shapeUniforms),
        UniverseGL.tiled('groupUniformList', L.groupUniformList, L.groupUniforms),
        UniverseGL.declared(gl, G.clip, 'clip', L.clipAttributes, true),
        UniverseGL.declared(gl, G.shape, 'shape', L.shapeAttributes, true),
        UniverseGL.declared(gl, G.shape, 'shape', L.shapeUniformList, false)
      ];
      if (G.group) {
        checks.push(UniverseGL.declared(gl, G.group, 'group', L.groupAttributes, true),
          UniverseGL.declared(gl, G.group, 'group', L.groupUniformList, false));
      }
      return checks.filter(function (message) { return message; })[0] || '';
    },

    // Whether the list's entries lie end to end over `floats` floats.
    tiled: function (what, list, floats) {
      var end = list.reduce(function (at, entry) { return entry.at === at ? at + entry.size : NaN; }, 0);
      return end === floats ? '' : 'layout: ' + what + ' do not lie end to end over ' + floats + ' floats';
    },

    // Whether the list names exactly the program's active attributes (or
    // uniforms), each of as many floats as its GLSL declaration.
    declared: function (gl, program, what, list, attributes) {
      var variables = UniverseGL.activeVariables(gl, program, attributes);
      var kind = attributes ? ' attribute ' : ' uniform ';
      for (var k = 0; k < list.length; k++) {
        var variable = variables[list[k].name];
        if (!variable || variable.floats !== list[k].size) {
          return 'layout: the ' + what + ' program has no' + kind + list[k].name + ' of ' +
            list[k].size + ' floats';
        }
      }
      if (Object.keys(variables).length !== list.length) {
        return 'layout: the ' + what + ' program has' + kind + 's the layout does not list';
      }
      return '';
    },

    // The state command: the framebuffer state, kept to be set again on a
    // context given back.
    stateCommand: function (G, words, i) {
      UniverseGL.applyState(G, words.slice(i, i + G.layout.stateWords));
    },

    applyState: function (G, w) {
      var gl = G.gl, L = G.layout;
      gl.viewport(w[L.stateX], w[L.stateY], w[L.stateWidth], w[L.stateHeight]);
      if (w[L.stateDepthTest]) gl.enable(gl.DEPTH_TEST); else gl.disable(gl.DEPTH_TEST);
      gl.depthFunc(w[L.stateDepthFunc]);
      gl.depthMask(!!w[L.stateDepthMask]);
      if (w[L.stateCullFace]) gl.enable(gl.CULL_FACE); else gl.disable(gl.CULL_FACE);
      gl.cullFace(w[L.stateCullMode]);
      gl.frontFace(w[L.stateFrontFace]);
      G.state = w;
    },

    clear: function (G, words, i) {
      var gl = G.gl, L = G.layout, floats = HEAPF32;
      gl.clearColor(floats[i + L.clearRed], floats[i + L.clearGreen], floats[i + L.clearBlue],
        floats[i + L.clearAlpha]);
      gl.clearDepth(floats[i + L.clearDepth]);
      gl.clear(words[i + L.clearMask]);
    },

    // Draws a frame's recorded commands in order. First the arrays go up
    // (uploadArrays), then each command runs. An op the script does not
    // know stops the replay: the stream is broken, and nothing more is drawn.
    replay: function (G, frame) {
      if (G.broken) return;
      UniverseGL.uploadArrays(G, frame);
      if (G.program === G.shape) G.program = null;  // the element buffer bound is the frame's
      var words = HEAP32, start = frame.commands >> 2, i = start, stop = start + frame.commandCount;
      while (i < stop) {
        var command = G.commands[words[i]];
        if (!command) {
          UniverseGL.breakStream(G, 'unknown command ' + words[i] + ' at word ' + (i - start));
          return;
        }
        command.run(G, words, i, frame.uniforms);
        i += command.words;
      }
    },

    breakStream: function (G, message) {
      G.broken = true;
      Module.universeGLLog = message;
      console.error(message);
      Module._webglContextEvent(G.layout.eventStreamBroken);
    },

    // The clip-space vertices and their 16-bit indices, each into a buffer
    // that keeps the previous upload: only the span [first, end) that
    // changed is sent, or the whole array when it outgrows the buffer; the
    // group vertices and the instances the same way.
    uploadArrays: function (G, f) {
      var gl = G.gl, L = G.layout, upload = UniverseGL.upload;
      // WebGL 2: the element buffer bound below is the default vertex array's.
      if (G.version === 2) UniverseGL.bindVertexArray(G, null);
      if (G.group) {
        gl.bindBuffer(gl.ARRAY_BUFFER, G.groupBuffer);
        upload(G, gl.ARRAY_BUFFER, 'groupVertices', HEAPF32, f.groupVertices >> 2,
          L.groupVertexFloats, f.groupCount, f.groupFirst, f.groupEnd);
        gl.bindBuffer(gl.ARRAY_BUFFER, G.instanceBuffer);
        upload(G, gl.ARRAY_BUFFER, 'instances', HEAPF32, f.instances >> 2, L.instanceFloats,
          f.instanceCount, f.instanceFirst, f.instanceEnd);
      }
      gl.bindBuffer(gl.ARRAY_BUFFER, G.vertexBuffer);
      upload(G, gl.ARRAY_BUFFER, 'vertices', HEAPF32, f.vertices >> 2, L.vertexFloats,
        f.vertexCount, f.vertexFirst, f.vertexEnd);
      gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, G.indexBuffer);
      upload(G, gl.ELEMENT_ARRAY_BUFFER, 'indices', HEAPU16, f.indices >> 1, 1, f.indexCount,
        f.indexFirst, f.indexEnd);
    },

    // `count` elements of `size` each from heap[start] into the buffer
    // bound at `target`, which G.bytes[slot] says how large it is.
    upload: function (G, target, slot, heap, start, size, count, first, end) {
      var gl = G.gl, bytes = heap.BYTES_PER_ELEMENT * size;
      if (count * bytes > G.bytes[slot]) {
        gl.bufferData(target, heap.subarray(start, start + count * size), gl.DYNAMIC_DRAW);
        G.bytes[slot] = count * bytes;
      } else if (end > first) {
        gl.bufferSubData(target, first * bytes,
          heap.subarray(start + first * size, start + end * size));
      }
    },

    // WebGL 1: enables the vertex attribute arrays below `count`, disables
    // the rest (WebGL 2 keeps them in each program's vertex arrays).
    useAttributes: function (G, count) {
      for (var a = 0; a < G.attributeCount; a++) {
        if (a < count) G.gl.enableVertexAttribArray(a); else G.gl.disableVertexAttribArray(a);
      }
    },

    drawClip: function (G, words, i) {
      var gl = G.gl, L = G.layout;
      UniverseGL.useClip(G, words[i + L.drawBaseVertex]);
      gl.drawElements(words[i + L.drawMode], words[i + L.drawCount], gl.UNSIGNED_SHORT,
        words[i + L.drawFirstIndex] * UniverseGL.indexBytes);
    },

    // The clip program with its attributes from the vertex `base` on
    // (WebGL 2: in the clip vertex array, which keeps them).
    useClip: function (G, base) {
      var gl = G.gl, L = G.layout, attributes = L.clipAttributes;
      if (G.program !== G.clip) {
        gl.useProgram(G.clip);
        G.program = G.clip;
        if (G.version === 1) {
          gl.bindBuffer(gl.ARRAY_BUFFER, G.vertexBuffer);
          gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, G.indexBuffer);
          UniverseGL.useAttributes(G, attributes.length);
          G.base = -1;
        }
      }
      if (G.version === 2) UniverseGL.bindVertexArray(G, G.clipVao);
      if (base === G.base) return;
      if (G.version === 2) gl.bindBuffer(gl.ARRAY_BUFFER, G.vertexBuffer);
      var stride = UniverseGL.floatBytes * L.vertexFloats;
      for (var a = 0; a < attributes.length; a++) {
        gl.vertexAttribPointer(a, attributes[a].size, gl.FLOAT, false, stride,
          base * stride + UniverseGL.floatBytes * attributes[a].at);
      }
      G.base = base;
    },

    // The shape's arrays on the GPU, sent the first time it is drawn, with
    // its chunks read once: WebGL 1, which has no primitive restart, takes
    // each line strip chunk as the lines it parts into.
    shapeBuffers: function (G, words, i) {
      var gl = G.gl, L = G.layout, id = words[i + L.shapeId];
      if (G.shapes[id]) return G.shapes[id];
      var count = words[i + L.shapeVertexCount];
      if (G.version === 2) UniverseGL.bindVertexArray(G, null);
      var buffers = {arrays: L.shapeAttributes.map(function (a) {
        var buffer = gl.createBuffer(), start = words[i + a.word] >> 2;
        gl.bindBuffer(gl.ARRAY_BUFFER, buffer);
        gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(start, start + count * a.size),
          gl.STATIC_DRAW);
        return buffer;
      }), indices: gl.createBuffer(), vaos: {}};
      var first = words[i + L.shapeIndices] >> 1;
      var indices = HEAPU16.subarray(first, first + words[i + L.shapeIndexCount]);
      var c = words[i + L.shapeChunks] >> 2, end = c + L.chunkWords * words[i + L.shapeChunkCount];
      buffers.chunks = [];
      for (; c < end; c += L.chunkWords) {
        buffers.chunks.push({base: words[c + L.chunkFirstVertex], mode: words[c + L.chunkMode],
          first: words[c + L.chunkFirstIndex], count: words[c + L.chunkIndexCount]});
      }
      if (G.version === 1) indices = UniverseGL.stripsAsLines(gl, L, indices, buffers.chunks);
      gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
      gl.bufferData(gl.ELEMENT_ARRAY_BUFFER, indices, gl.STATIC_DRAW);
      G.shapes[id] = buffers;
      G.program = null;
      return buffers;
    },

    // The indices with each line strip chunk's strips, parted by the
    // restart index, turned into lines (the chunks' places updated).
    stripsAsLines: function (gl, L, indices, chunks) {
      if (!chunks.some(function (chunk) { return chunk.mode === gl.LINE_STRIP; })) return indices;
      var out = [];
      chunks.forEach(function (chunk) {
        var from = chunk.first, to = from + chunk.count;
        chunk.first = out.length;
        if (chunk.mode !== gl.LINE_STRIP) {
          for (var k = from; k < to; k++) out.push(indices[k]);
        } else {
          for (k = from + 1; k < to; k++) {
            if (indices[k - 1] !== L.restartIndex && indices[k] !== L.restartIndex) {
              out.push(indices[k - 1], indices[k]);
            }
          }
          chunk.mode = gl.LINES;
        }
        chunk.count = out.length - chunk.first;
      });
      return new Uint16Array(out);
    },

    drawShape: function (G, words, i, uniforms) {
      var gl = G.gl, L = G.layout, id = words[i + L.shapeId];
      var buffers = UniverseGL.shapeBuffers(G, words, i);
      if (G.program !== G.shape) {
        gl.useProgram(G.shape);
        G.program = G.shape;
        if (G.version === 1) UniverseGL.useAttributes(G, L.shapeAttributes.length);
        G.drawnShape = -1;
      }
      if (G.version === 1 && G.drawnShape !== id) {
        gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
        G.drawnShape = id;
        G.chunkBase = -1;
      }
      UniverseGL.setShapeUniforms(G, (uniforms >> 2) + words[i + L.shapeUniformsAt]);
      UniverseGL.drawChunks(G, words, i, buffers);
    },

    // Only the uniforms that differ from what the program holds: from one
    // shape to the next mostly the matrices alone.
    setShapeUniforms: function (G, at) {
      var f = HEAPF32, held = G.held;
      G.shapeUniforms.forEach(function (u) {
        var k = u.at;
        while (k < u.end && held[k] === f[at + k]) k++;
        if (k === u.end) return;
        var values = f.subarray(at + u.at, at + u.end);
        u.set(u.location, values);
        held.set(values, u.at);
      });
    },

    // Each of the shape's chunks in its own mode, its attributes from its
    // first vertex on (WebGL 2: a vertex array for each first vertex).
    drawChunks: function (G, words, i, buffers) {
      var gl = G.gl, L = G.layout, attributes = L.shapeAttributes;
      for (var c = 0; c < buffers.chunks.length; c++) {
        var chunk = buffers.chunks[c], base = chunk.base;
        if (G.version === 2) {
          if (buffers.vaos[base]) {
            UniverseGL.bindVertexArray(G, buffers.vaos[base]);
          } else {
            buffers.vaos[base] = UniverseGL.newVertexArray(G, attributes.length);
            UniverseGL.shapePointers(G, buffers, base);
            gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
          }
        } else if (base !== G.chunkBase) {
          UniverseGL.shapePointers(G, buffers, base);
          G.chunkBase = base;
        }
        gl.drawElements(chunk.mode, chunk.count, gl.UNSIGNED_SHORT,
          chunk.first * UniverseGL.indexBytes);
      }
    },

    shapePointers: function (G, buffers, base) {
      var gl = G.gl, attributes = G.layout.shapeAttributes;
      for (var a = 0; a < attributes.length; a++) {
        gl.bindBuffer(gl.ARRAY_BUFFER, buffers.arrays[a]);
        gl.vertexAttribPointer(a, attributes[a].size, gl.FLOAT, false, 0,
          UniverseGL.floatBytes * base * attributes[a].size);
      }
    },

    // A group's triangles once per instance: the vertex attributes from the
    // group's first vertex, the instance attributes (divisor 1) from its
    // first instance.
    drawGroup: function (G, words, i, uniforms) {
      if (!G.group) return;  // a context given back without instancing
      var gl = G.gl, L = G.layout, attributes = L.groupAttributes, bound = null;
      var floatBytes = UniverseGL.floatBytes;
      if (G.program !== G.group) {
        gl.useProgram(G.group);
        G.program = G.group;
        if (G.version === 1) UniverseGL.useAttributes(G, attributes.length);
      }
      if (G.version === 2) UniverseGL.bindVertexArray(G, G.groupVao);
      for (var a = 0; a < attributes.length; a++) {
        var instanced = attributes[a].divisor > 0;
        var floats = instanced ? L.instanceFloats : L.groupVertexFloats;
        var first = words[i + (instanced ? L.groupFirstInstance : L.groupFirstVertex)];
        var buffer = instanced ? G.instanceBuffer : G.groupBuffer;
        if (buffer !== bound) gl.bindBuffer(gl.ARRAY_BUFFER, buffer);
        bound = buffer;
        gl.vertexAttribPointer(a, attributes[a].size, gl.FLOAT, false, floatBytes * floats,
          floatBytes * (first * floats + attributes[a].at));
      }
      var at = (uniforms >> 2) + words[i + L.groupUniformsAt];
      G.groupUniforms.forEach(function (u) {
        u.set(u.location, HEAPF32.subarray(at + u.at, at + u.end));
      });
      G.drawInstanced(gl.TRIANGLES, 0, words[i + L.groupVertexCount],
        words[i + L.groupInstanceCount]);
    }
  },

  webglCreateContextInPage__deps: ['$UniverseGL'],
  webglCreateContextInPage: function (selector, width, height, layout) {
    return UniverseGL.create(UTF8ToString(selector), width, height, UTF8ToString(layout));
  },

  webglResizeInPage: function (width, height) {
    var G = Module.universeGL;
    if (!G) return;
    G.canvas.width = width;
    G.canvas.height = height;
  },

  // The frame's arrays and commands as gl_webgl_backend.cpp's flushDrawing
  // hands them: heap addresses, counts, and the spans that changed.
  webglReplayInPage__deps: ['$UniverseGL'],
  webglReplayInPage: function (vertices, vertexCount, vertexFirst, vertexEnd, indices, indexCount,
    indexFirst, indexEnd, commands, commandCount, uniforms, groupVertices, groupCount, groupFirst,
    groupEnd, instances, instanceCount, instanceFirst, instanceEnd) {
    var G = Module.universeGL;
    if (!G || G.lost) return;
    UniverseGL.replay(G, {vertices: vertices, vertexCount: vertexCount, vertexFirst: vertexFirst,
      vertexEnd: vertexEnd, indices: indices, indexCount: indexCount, indexFirst: indexFirst,
      indexEnd: indexEnd, commands: commands, commandCount: commandCount, uniforms: uniforms,
      groupVertices: groupVertices, groupCount: groupCount, groupFirst: groupFirst,
      groupEnd: groupEnd, instances: instances, instanceCount: instanceCount,
      instanceFirst: instanceFirst, instanceEnd: instanceEnd});
  }
});
